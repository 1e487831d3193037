#include "GraphicsEngine/BufferObject.h"

#include <GLFW/glfw3.h>

#include "GraphicsEngine/Shader.h"
#include "app/EglContext.h"

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
    // Buffers held until exit may outlive the context; skip GL calls then.
    const bool context = glfwGetCurrentContext() != nullptr || egl::contextCurrent();
    if (id != 0 && context) glDeleteBuffers(1, &id);
}

}  // namespace graph
