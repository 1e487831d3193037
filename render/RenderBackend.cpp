#include "render/RenderBackend.h"

#include <cstring>

// The driver's own list: GLEW, told to load every entry point, marks an
// extension present wherever its functions resolve, and Mesa's always do.
bool driverLists(const char* extension) {
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const GLubyte* name = glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i));
        if (name != nullptr && std::strcmp(reinterpret_cast<const char*>(name), extension) == 0) {
            return true;
        }
    }
    return false;
}
