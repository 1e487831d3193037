#include "app/GlDebug.h"

#include <GL/glew.h>

#include <cstdio>

namespace gldebug {

namespace {

long gErrors = 0;

void GLAPIENTRY onMessage(GLenum, GLenum type, GLuint, GLenum, GLsizei, const GLchar* message,
                          const void*) {
    if (type != GL_DEBUG_TYPE_ERROR) return;
    ++gErrors;
    std::printf("GL error: %s\n", message);
}

}  // namespace

void install() {
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(onMessage, nullptr);
}

long errorCount() { return gErrors; }

}  // namespace gldebug
