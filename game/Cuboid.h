#pragma once
#include <GL/glew.h>

#include <array>
#include <glm/glm.hpp>

#include "GraphicsEngine/UniformLocations.h"
#include "GraphicsEngine/VertexArray.h"
#include "game/SceneObject.h"

namespace game {

// A unit cube textured with the omni shadow cube map, so that the shadow cube
// can be looked at as a spinning box. Drawn only while the C toggle shows it.
class Cuboid : public SceneObject {
public:
    VertexArray vertexArray;
    graph::Shader* shader = nullptr;
    graph::UniformLocations uniforms;  // of `shader`, renewed by every link
    std::array<glm::vec3, 24> positions;
    std::array<glm::vec3, 24> normals;
    std::array<glm::vec2, 24> uvs;
    std::array<unsigned, 36> indices;
    glm::mat4 spinMatrix{1.0f};
    glm::mat4 modelMatrix{1.0f};

    explicit Cuboid(const glm::vec3& position);
    ~Cuboid() override;

    // A quarter turn per second about its own vertical axis, 8 units behind `position`.
    void update(double elapsedSeconds) override;
    void draw() override;
    void drawShadow(int a, int b, int c) override;
    void drawOmniShadow() override;
    void placeholder() override;
    void init(graph::Shader* shader) override;
    void releaseGraphics() override { vertexArray.release(); }
};

}  // namespace game
