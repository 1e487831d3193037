#include "app/run/GlDebug.h"

#include <GL/glew.h>

#include <cstdio>

namespace gldebug {

namespace {

long gErrors = 0;
bool gCounting = false;
// CONTEXT_LOST_WEBGL, which glGetError reports once after the context went.
constexpr GLenum kContextLost = 0x9242;

}  // namespace

// WebGL reports errors through glGetError alone, which waits for nothing in
// the browser: it is read once a frame.
bool install() {
    gCounting = true;
    std::printf("GL errors are read after each frame (WebGL has no debug output).\n");
    return true;
}

void checkFrame() {
    if (!gCounting) return;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        if (error == kContextLost) continue;  // the browser's word of a loss, no call's fault
        ++gErrors;
        std::printf("GL error: 0x%04x\n", error);
    }
}

// WebGL sends no debug messages.
void quietShaderCompiler() {}

std::string summary() { return "GL errors: " + std::to_string(gErrors); }

}  // namespace gldebug
