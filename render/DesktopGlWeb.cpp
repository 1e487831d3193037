// WebGL 2 lacks these desktop OpenGL calls. The code that makes them is shared
// with the desktop, behind the back end's answers: the browser's back end has
// no wire frame, no timer queries, its own particle path, shadow-cube copy and
// outputs. These keep that code linking and say so, should one be reached.
#include <GL/glew.h>

#include <cstdio>

namespace {

void unavailable(const char* call) {
    std::printf("GL error: %s is not in WebGL 2\n", call);
}

}  // namespace

extern "C" {

void glPolygonMode(GLenum, GLenum) { unavailable("glPolygonMode"); }

void glBindFragDataLocation(GLuint, GLuint, const GLchar*) {
    unavailable("glBindFragDataLocation");
}

void glCopyImageSubData(GLuint, GLenum, GLint, GLint, GLint, GLint, GLuint, GLenum, GLint, GLint,
                        GLint, GLint, GLsizei, GLsizei, GLsizei) {
    unavailable("glCopyImageSubData");
}

void glGetQueryObjectiv(GLuint, GLenum, GLint*) { unavailable("glGetQueryObjectiv"); }

void glGetQueryObjectui64v(GLuint, GLenum, GLuint64*) { unavailable("glGetQueryObjectui64v"); }

}  // extern "C"
