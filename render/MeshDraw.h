#pragma once
// The openings the mesh passes share.
#include <string>

#include "GraphicsEngine/Mesh.h"
#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/Uniforms.h"

// A textured pass: the mesh's program, its buffers bound to that program, and
// its colour texture on unit 0 with the combined matrix. Returns the program,
// or 0 for a mesh that failed to load (nothing drawn).
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

// A depth-only pass: the program of `key`, looked up without inserting, and
// the mesh's buffers bound to it. Returns the program, or 0 where the program
// is missing (nothing drawn).
inline GLuint beginDepthOnlyDraw(const graph::ProgramTable& shaders, const std::string& key,
                                 Mesh& mesh) {
    const auto found = shaders.find(key);
    if (found == shaders.end() || !found->second) return 0;
    const GLuint program = found->second->program;
    glUseProgram(program);
    mesh.buffers.bindToProgram(program);
    glBindVertexArray(mesh.buffers.vao);
    return program;
}
