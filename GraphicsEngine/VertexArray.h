#pragma once
#include <GL/glew.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsEngine/BufferObject.h"

namespace graph {
class Shader;
}

// The buffers of one drawable under the names of the vertex shader inputs,
// and the vertex array object that connects them to a program.
class VertexArray {
public:
    GLuint vao = 0;
    std::map<std::string, std::shared_ptr<graph::BufferObject>> buffers;

    void addBuffer(GLenum type, GLsizeiptr sizeInBytes, GLint components, const float* vertexData,
                   const unsigned* indexData, const std::string& name);
    // Records where each named buffer feeds `shader`'s program; leaves nothing
    // bound. The inputs' locations are looked up once per build of a program.
    void bindToProgram(const graph::Shader& shader);
    // Deletes `vao` and drops the buffers (called by the owner that made them).
    void release();

private:
    // Where the buffers feed one program, in the order of `buffers`; -1 for
    // an input the program does not read.
    struct Inputs {
        const graph::Shader* shader;
        GLuint program;
        unsigned long long generation;
        std::vector<GLint> locations;
    };
    // A drawable meets few programs (its own and the depth passes').
    std::vector<Inputs> inputs_;

    const std::vector<GLint>& inputsOf(const graph::Shader& shader);
};
