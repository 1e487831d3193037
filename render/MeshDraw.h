#pragma once
// The openings the mesh passes share.
#include <string>

#include "GraphicsEngine/Mesh.h"
#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/UniformLocations.h"
#include "GraphicsEngine/Uniforms.h"
#include "render/MeshUniforms.h"

// A textured pass: the mesh's program, its buffers bound to that program, and
// its colour texture on unit 0 with the combined matrix. Returns the
// program's locations from `tables` (whose list starts with
// meshuniforms::Textured), or null for a mesh that failed to load (nothing
// drawn).
inline const graph::UniformLocations* beginTexturedMeshDraw(Mesh& mesh,
                                                            const glm::mat4& currentMatrix,
                                                            graph::UniformTables& tables) {
    if (mesh.shader == nullptr || mesh.shader->program == 0) return nullptr;
    const graph::Shader& shader = *mesh.shader;
    glUseProgram(shader.program);
    mesh.buffers.bindToProgram(shader);
    glBindVertexArray(mesh.buffers.vao);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, mesh.colorTexture);
    const graph::UniformLocations& at = tables.follow(shader);
    uniforms::setMat4(at[meshuniforms::CurrentMatrix], currentMatrix);
    uniforms::setInt(at[meshuniforms::ColorTexture], 0);
    return &at;
}

// The distance fog, the eye and the model matrix, as every textured mesh
// program takes them.
inline void setFogViewAndModel(const graph::UniformLocations& at, const glm::vec3& fogColor,
                               float fogStart, float fogEnd, float fogDensity, int fogEquation,
                               const glm::vec3& eye, const glm::mat4& modelMatrix) {
    using namespace meshuniforms;
    uniforms::setVec4(at[FogColor], glm::vec4(fogColor, 1.0f));
    uniforms::setFloat(at[FogStart], fogStart);
    uniforms::setFloat(at[FogEnd], fogEnd);
    uniforms::setFloat(at[FogDensity], fogDensity);
    uniforms::setInt(at[FogEquation], fogEquation);  // 0 linear, 1 exp, 2 exp squared
    uniforms::setVec3(at[View], eye);
    uniforms::setMat4(at[ModelMatrix], modelMatrix);
}

// A depth-only pass: the program of `key`, looked up without inserting, the
// mesh's buffers bound to it and `locations` followed to it. False where the
// program is missing (nothing drawn).
inline bool beginDepthOnlyDraw(const graph::ProgramTable& shaders, const std::string& key,
                               Mesh& mesh, graph::UniformLocations& locations) {
    const auto found = shaders.find(key);
    if (found == shaders.end() || !found->second || found->second->program == 0) return false;
    const graph::Shader& shader = *found->second;
    glUseProgram(shader.program);
    mesh.buffers.bindToProgram(shader);
    glBindVertexArray(mesh.buffers.vao);
    locations.follow(shader);
    return true;
}
