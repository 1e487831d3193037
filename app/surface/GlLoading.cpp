#include "app/surface/GlRequirements.h"

#include <GL/glew.h>

// The desktop's surfaces load GL through GLEW; a browser's WebGL needs no loading.
namespace requirements {

std::string loadAndCheckCurrentContext(bool es) {
    // Debian's GLEW is built for GLX and has no call for the GL part alone:
    // glewInit loads the GL entry points, returning on any failure there, and
    // only then fails its GLX part where there is no X display (an EGL
    // context). That last result leaves GL loaded. The same call serves an
    // ES context: Mesa's entry points resolve for either API, and GLEW reads
    // ES's version line as it does the desktop's.
    glewExperimental = GL_TRUE;
    const GLenum glew = glewInit();
    if (glew != GLEW_OK && glew != GLEW_ERROR_NO_GLX_DISPLAY) return "failed to initialize glew";
    // Before any shader is read: an old driver gets one clear line.
    const std::string missing = unmetByCurrentContext(es);
    return missing.empty() ? "" : " " + missing;
}

}  // namespace requirements
