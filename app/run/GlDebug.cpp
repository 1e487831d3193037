#include "app/run/GlDebug.h"

#include <GL/glew.h>

#include <cstdio>

namespace gldebug {

namespace {

long gErrors = 0;
bool gCounting = false;

void GLAPIENTRY onMessage(GLenum, GLenum type, GLuint, GLenum, GLsizei, const GLchar* message,
                          const void*) {
    if (type != GL_DEBUG_TYPE_ERROR) return;
    ++gErrors;
    std::printf("GL error: %s\n", message);
}

}  // namespace

bool install() {
    // GLEW leaves the pointer null when the driver lacks the entry point; a
    // context older than 4.3 without KHR_debug may hand out a stub that does nothing.
    gCounting = glDebugMessageCallback != nullptr && (GLEW_VERSION_4_3 || GLEW_KHR_debug);
    if (!gCounting) {
        std::printf("GL debug output is not offered by this driver; running without it.\n");
        return false;
    }
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(onMessage, nullptr);
    return true;
}

void quietShaderCompiler() {
    if (glDebugMessageControl == nullptr) return;
    glDebugMessageControl(GL_DEBUG_SOURCE_SHADER_COMPILER, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr,
                          GL_FALSE);
}

// The debug output reports each error as it happens.
void checkFrame() {}

std::string summary() {
    if (!gCounting) return "GL errors: not counted (no debug output)";
    return "GL errors: " + std::to_string(gErrors);
}

}  // namespace gldebug
