#pragma once
// The opening every textured mesh pass shares: the mesh's program, its buffers
// bound to that program, and its colour texture on unit 0 with the combined
// matrix. Returns the program, or 0 for a mesh that failed to load (nothing drawn).
#include "GraphicsEngine/Mesh.h"
#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/Uniforms.h"

inline GLuint beginTexturedMeshDraw(Mesh& mesh, const glm::mat4& currentMatrix) {
    if (mesh.shader == nullptr) return 0;
    const GLuint program = mesh.shader->program;
    glUseProgram(program);
    mesh.buffers.bindToProgram(program);
    glBindVertexArray(mesh.buffers.vao);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, mesh.colorTexture);
    uniforms::setMat4(program, "currentMatrix", currentMatrix);
    uniforms::setInt(program, "colorTexture", 0);
    return program;
}
