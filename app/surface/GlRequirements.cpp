#include "app/surface/GlRequirements.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>

namespace requirements {

GlVersion parseVersion(const char* versionText) {
    GlVersion version;
    if (versionText == nullptr) return version;
    const char* const esPrefix = "OpenGL ES ";
    const bool es = std::strncmp(versionText, esPrefix, std::strlen(esPrefix)) == 0;
    if (es) versionText += std::strlen(esPrefix);
    int major = 0, minor = 0;
    if (std::sscanf(versionText, "%d.%d", &major, &minor) == 2 && major > 0 && minor >= 0) {
        version.major = major;
        version.minor = minor;
        version.es = es;
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

std::string unmetEs(GlVersion version, const std::string& renderer) {
    const std::string offered = std::string("this driver offers ") +
                                (version.es ? "OpenGL ES " : "OpenGL ") +
                                std::to_string(version.major) + "." +
                                std::to_string(version.minor) + " (" + renderer + ")";
    if (!version.es || version.major < 3) {
        return "Emberwight --gles needs OpenGL ES 3.0 or newer; " + offered;
    }
    return "";
}

std::string unmetByCurrentContext(bool es) {
    const auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value != nullptr ? reinterpret_cast<const char*>(value) : "";
    };
    const GlVersion version = parseVersion(text(GL_VERSION));
    if (es) return unmetEs(version, text(GL_RENDERER));
    return unmet(version, GLEW_ARB_transform_feedback2 != 0, text(GL_RENDERER));
}

}  // namespace requirements
