#include "GraphicsEngine/BufferReadback.h"

// WebGL 2's getBufferSubData: after a fence has signalled, it returns at once.
namespace graph {

bool readBuffer(GLenum target, GLsizeiptr bytes, void* destination) {
    glGetBufferSubData(target, 0, bytes, destination);
    return glGetError() == GL_NO_ERROR;
}

}  // namespace graph
