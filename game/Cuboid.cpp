#include "game/Cuboid.h"

#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "GraphicsEngine/Shader.h"
#include "app/Engine.h"

namespace game {

namespace {

// Four vertices per face, so that every face has its own normal and uvs.
// Faces: -z, +z, +y, -y, +x, -x.
const glm::vec3 kPositions[24] = {
    {-0.5f, -0.5f, -0.5f}, {-0.5f, 0.5f, -0.5f},  {0.5f, 0.5f, -0.5f},   {0.5f, -0.5f, -0.5f},
    {-0.5f, -0.5f, 0.5f},  {0.5f, -0.5f, 0.5f},   {0.5f, 0.5f, 0.5f},    {-0.5f, 0.5f, 0.5f},
    {0.5f, 0.5f, 0.5f},    {0.5f, 0.5f, -0.5f},   {-0.5f, 0.5f, -0.5f},  {-0.5f, 0.5f, 0.5f},
    {0.5f, -0.5f, 0.5f},   {-0.5f, -0.5f, 0.5f},  {-0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, -0.5f},
    {0.5f, 0.5f, 0.5f},    {0.5f, -0.5f, 0.5f},   {0.5f, -0.5f, -0.5f},  {0.5f, 0.5f, -0.5f},
    {-0.5f, 0.5f, 0.5f},   {-0.5f, 0.5f, -0.5f},  {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f},
};

const glm::vec3 kFaceNormals[6] = {{0, 0, -1}, {0, 0, 1}, {0, 1, 0},
                                   {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}};

enum Uniform { ProjectionMatrix, ViewMatrix, ModelMatrix, kUniforms };
constexpr const char* kUniformNames[kUniforms] = {"projectionMatrix", "viewMatrix", "modelMatrix"};

const glm::vec2 kUvs[24] = {
    {1, 0}, {1, 1}, {0, 1}, {0, 0}, {0, 0}, {1, 0}, {1, 1}, {0, 1},
    {0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 1}, {0, 1},
    {1, 1}, {1, 0}, {0, 0}, {0, 1}, {0, 1}, {1, 1}, {1, 0}, {0, 0},
};

}  // namespace

Cuboid::Cuboid(const glm::vec3& position)
    : SceneObject(position), uniforms(kUniformNames, kUniforms) {
    for (int v = 0; v < 24; ++v) {
        positions[v] = kPositions[v];
        normals[v] = kFaceNormals[v / 4];
        uvs[v] = kUvs[v];
    }
    for (unsigned face = 0; face < 6; ++face) {
        const unsigned f = 4 * face;
        const unsigned triangles[6] = {f, f + 1, f + 2, f, f + 2, f + 3};
        for (unsigned i = 0; i < 6; ++i) indices[6 * face + i] = triangles[i];
    }
}

Cuboid::~Cuboid() { vertexArray.release(); }

void Cuboid::update(double elapsedSeconds) {
    const float angle = static_cast<float>(elapsedSeconds) * 90.0f;
    spinMatrix = glm::rotate(spinMatrix, glm::radians(angle), glm::vec3(0.0f, 1.0f, 0.0f));
    modelMatrix = glm::translate(glm::mat4(1.0f), position) *
                  glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -8.0f)) * spinMatrix;
}

void Cuboid::draw() {
    // The cuboid never receives an engine from start-up; without one (or
    // before init) there is nothing to draw with.
    if (engine == nullptr || shader == nullptr) return;
    glUseProgram(shader->program);
    vertexArray.bindToProgram(*shader);
    glBindVertexArray(vertexArray.vao);
    uniforms.follow(*shader);
    glUniformMatrix4fv(uniforms[ProjectionMatrix], 1, GL_FALSE,
                       glm::value_ptr(engine->projectionMatrix));
    glUniformMatrix4fv(uniforms[ViewMatrix], 1, GL_FALSE, glm::value_ptr(engine->viewMatrix));
    glUniformMatrix4fv(uniforms[ModelMatrix], 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, engine->shadowCubeTexture);
    glDrawElements(GL_TRIANGLES, 36, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

void Cuboid::drawShadow(int, int, int) { std::printf("NOT IMPLEMENTED\n"); }

void Cuboid::drawOmniShadow() { std::printf("NOT IMPLEMENTED\n"); }

void Cuboid::placeholder() {}

void Cuboid::init(graph::Shader* program) {
    shader = program;
    glGenVertexArrays(1, &vertexArray.vao);
    vertexArray.addBuffer(GL_ARRAY_BUFFER, 288, 3, glm::value_ptr(positions[0]), nullptr,
                          "position");
    vertexArray.addBuffer(GL_ARRAY_BUFFER, 288, 3, glm::value_ptr(normals[0]), nullptr, "normal");
    vertexArray.addBuffer(GL_ARRAY_BUFFER, 192, 2, glm::value_ptr(uvs[0]), nullptr, "uv");
    vertexArray.addBuffer(GL_ELEMENT_ARRAY_BUFFER, 144, 1, nullptr, indices.data(), "indices");
    vertexArray.bindToProgram(*shader);
}

}  // namespace game
