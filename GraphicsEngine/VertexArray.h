#pragma once
#include <GL/glew.h>

#include <map>
#include <memory>
#include <string>

#include "GraphicsEngine/BufferObject.h"

// The buffers of one drawable under the names of the vertex shader inputs,
// and the vertex array object that connects them to a program.
class VertexArray {
public:
    GLuint vao = 0;
    std::map<std::string, std::shared_ptr<graph::BufferObject>> buffers;

    void addBuffer(GLenum type, GLsizeiptr sizeInBytes, GLint components, const float* vertexData,
                   const unsigned* indexData, const std::string& name);
    // Records where each named buffer feeds `program`; leaves nothing bound.
    void bindToProgram(GLuint program);
    // Deletes `vao` and drops the buffers (called by the owner that made them).
    void release();
};
