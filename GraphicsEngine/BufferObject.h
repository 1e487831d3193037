#pragma once
#include <GL/glew.h>

namespace graph {

// One GL buffer filled once with static data: floats for GL_ARRAY_BUFFER,
// 32-bit indices for GL_ELEMENT_ARRAY_BUFFER.
class BufferObject {
public:
    GLuint id = 0;
    GLenum type = 0;
    GLint components = 0;

    BufferObject(GLenum type, GLsizeiptr sizeInBytes, GLint components, const float* vertexData,
                 const unsigned* indexData);
    BufferObject(const BufferObject&) = delete;
    BufferObject& operator=(const BufferObject&) = delete;
    ~BufferObject();
};

}  // namespace graph
