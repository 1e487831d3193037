#include "GraphicsEngine/BufferObject.h"

#include "GraphicsEngine/Shader.h"

namespace graph {

BufferObject::BufferObject(GLenum type, GLsizeiptr sizeInBytes, GLint components,
                           const float* vertexData, const unsigned* indexData)
    : type(type), components(components) {
    const void* data = nullptr;
    if (type == GL_ARRAY_BUFFER) {
        data = vertexData;
    } else if (type == GL_ELEMENT_ARRAY_BUFFER) {
        data = indexData;
    } else {
        // Checked before any GL call: binding an unknown target is itself an error.
        fatalStop("Error: unknown buffer type");
    }
    glGenBuffers(1, &id);
    glBindBuffer(type, id);
    glBufferData(type, sizeInBytes, data, GL_STATIC_DRAW);
    glBindBuffer(type, 0);
}

BufferObject::~BufferObject() {
    if (id != 0 && contextCurrent()) glDeleteBuffers(1, &id);
}

}  // namespace graph
