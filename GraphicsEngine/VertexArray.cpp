#include "GraphicsEngine/VertexArray.h"

#include "GraphicsEngine/Shader.h"

void VertexArray::addBuffer(GLenum type, GLsizeiptr sizeInBytes, GLint components,
                            const float* vertexData, const unsigned* indexData,
                            const std::string& name) {
    if (buffers.count(name) != 0) graph::fatalStop("Error: duplicate buffer name");
    buffers[name] =
        std::make_shared<graph::BufferObject>(type, sizeInBytes, components, vertexData, indexData);
}

void VertexArray::bindToProgram(GLuint program) {
    glBindVertexArray(vao);
    for (const auto& [name, buffer] : buffers) {
        if (buffer->type == GL_ARRAY_BUFFER) {
            glBindBuffer(GL_ARRAY_BUFFER, buffer->id);
            // A program that does not read this input (e.g. "tangent" in a
            // depth-only pass) has no location for it; skip rather than raise
            // GL errors.
            const GLint location = glGetAttribLocation(program, name.c_str());
            if (location < 0) continue;
            glEnableVertexAttribArray(static_cast<GLuint>(location));
            glVertexAttribPointer(static_cast<GLuint>(location), buffer->components, GL_FLOAT,
                                  GL_FALSE, 0, nullptr);
        } else if (buffer->type == GL_ELEMENT_ARRAY_BUFFER) {
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer->id);
        } else {
            graph::fatalStop("Error: unknown buffer type");
        }
    }
    // The vertex array goes first so that it keeps its element buffer.
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void VertexArray::release() {
    if (vao != 0) glDeleteVertexArrays(1, &vao);
    vao = 0;
    buffers.clear();
}
