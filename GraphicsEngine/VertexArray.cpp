#include "GraphicsEngine/VertexArray.h"

#include "GraphicsEngine/Shader.h"

void VertexArray::addBuffer(GLenum type, GLsizeiptr sizeInBytes, GLint components,
                            const float* vertexData, const unsigned* indexData,
                            const std::string& name) {
    if (buffers.count(name) != 0) graph::fatalStop("Error: duplicate buffer name");
    buffers[name] =
        std::make_shared<graph::BufferObject>(type, sizeInBytes, components, vertexData, indexData);
    inputs_.clear();  // the lists follow the buffers' order
}

// The locations of `shader`'s current build, looked up by name only when the
// program was built anew (a live reload) or is met for the first time.
const std::vector<GLint>& VertexArray::inputsOf(const graph::Shader& shader) {
    Inputs* found = nullptr;
    for (Inputs& known : inputs_) {
        if (known.shader == &shader) found = &known;
    }
    if (found == nullptr) found = &inputs_.emplace_back(Inputs{&shader, 0, 0, {}});
    if (found->program == shader.program && found->generation == shader.generation &&
        found->locations.size() == buffers.size()) {
        return found->locations;
    }
    found->program = shader.program;
    found->generation = shader.generation;
    found->locations.clear();
    for (const auto& [name, buffer] : buffers) {
        const bool input = buffer->type == GL_ARRAY_BUFFER && shader.program != 0;
        found->locations.push_back(input ? glGetAttribLocation(shader.program, name.c_str()) : -1);
    }
    return found->locations;
}

void VertexArray::bindToProgram(const graph::Shader& shader) {
    const std::vector<GLint>& locations = inputsOf(shader);
    glBindVertexArray(vao);
    std::size_t index = 0;
    for (const auto& [name, buffer] : buffers) {
        const GLint location = locations[index++];
        if (buffer->type == GL_ARRAY_BUFFER) {
            glBindBuffer(GL_ARRAY_BUFFER, buffer->id);
            // A program that does not read this input (e.g. "tangent" in a
            // depth-only pass) has no location for it; skip rather than raise
            // GL errors.
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
    inputs_.clear();
}
