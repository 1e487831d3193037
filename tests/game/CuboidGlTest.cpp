#include "game/Cuboid.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <string>

#include "app/Engine.h"
#include "GraphicsEngine/ResourcePaths.h"
#include "support/GlContext.h"

namespace {

GLint bufferSize(const VertexArray& array, const std::string& name) {
    GLint size = -1;
    glGetNamedBufferParameteriv(array.buffers.at(name)->id, GL_BUFFER_SIZE, &size);
    return size;
}

}  // namespace

TEST(CuboidGl, InitUploadsFourBuffersAndDrawsWithCulledBackFaces) {
    GlContext context(64, 64);
    graph::Shader shader;
    testing::internal::CaptureStdout();
    shader.createProgram(paths::kShaderDir + "shadowMapDebugCubeShader.vert",
                         paths::kShaderDir + "shadowMapDebugCubeShader.frag");
    testing::internal::GetCapturedStdout();

    game::Cuboid cube(glm::vec3(0.0f, 0.0f, 4.0f));
    cube.init(&shader);
    EXPECT_EQ(cube.shader, &shader);
    ASSERT_NE(cube.vertexArray.vao, 0u);
    ASSERT_EQ(cube.vertexArray.buffers.size(), 4u);
    EXPECT_EQ(bufferSize(cube.vertexArray, "position"), 288);
    EXPECT_EQ(bufferSize(cube.vertexArray, "normal"), 288);
    EXPECT_EQ(bufferSize(cube.vertexArray, "uv"), 192);
    EXPECT_EQ(bufferSize(cube.vertexArray, "indices"), 144);

    // Seen from the origin, 4 units away once moved 8 back: it covers the centre.
    Engine engine;
    engine.projectionMatrix = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 250.0f);
    cube.setEngine(&engine);
    cube.update(0.0);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    cube.draw();
    const Rgba centre = readPixel(32, 32);
    EXPECT_FALSE(centre.r == 255 && centre.g == 0 && centre.b == 255) << "nothing drawn";
    const Rgba corner = readPixel(1, 1);
    EXPECT_TRUE(corner.r == 255 && corner.g == 0 && corner.b == 255) << "drawn too large";
    GLint vao = -1;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vao);
    EXPECT_EQ(vao, 0);
    EXPECT_TRUE(context.errors().empty());
}
