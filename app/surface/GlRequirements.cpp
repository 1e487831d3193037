#include "app/surface/GlRequirements.h"

#include <GL/glew.h>

#include <cstdio>

namespace requirements {

GlVersion parseVersion(const char* versionText) {
    GlVersion version;
    if (versionText == nullptr) return version;
    int major = 0, minor = 0;
    if (std::sscanf(versionText, "%d.%d", &major, &minor) == 2 && major > 0 && minor >= 0) {
        version.major = major;
        version.minor = minor;
    }
    return version;
}

std::string unmet(GlVersion version, bool transformFeedbackObjects, const std::string& renderer) {
    const std::string offered = "this driver offers " + std::to_string(version.major) + "." +
                                std::to_string(version.minor) + " (" + renderer + ")";
    if (version.major < 3 || (version.major == 3 && version.minor < 3)) {
        return "Emberwight needs OpenGL 3.3 or newer; " + offered;
    }
    if (version.major < 4 && !transformFeedbackObjects) {
        return "Emberwight needs OpenGL 3.3 with transform feedback objects "
               "(GL_ARB_transform_feedback2) or OpenGL 4.0; " + offered;
    }
    return "";
}

std::string unmetByCurrentContext() {
    const auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value != nullptr ? reinterpret_cast<const char*>(value) : "";
    };
    return unmet(parseVersion(text(GL_VERSION)), GLEW_ARB_transform_feedback2 != 0,
                 text(GL_RENDERER));
}

std::string loadAndCheckCurrentContext() {
    // Debian's GLEW is built for GLX and has no call for the GL part alone:
    // glewInit loads the GL entry points, returning on any failure there, and
    // only then fails its GLX part where there is no X display (an EGL
    // context). That last result leaves GL loaded.
    glewExperimental = GL_TRUE;
    const GLenum glew = glewInit();
    if (glew != GLEW_OK && glew != GLEW_ERROR_NO_GLX_DISPLAY) return "failed to initialize glew";
    // Before any shader is read: an old driver gets one clear line.
    const std::string missing = unmetByCurrentContext();
    return missing.empty() ? "" : " " + missing;
}

}  // namespace requirements
