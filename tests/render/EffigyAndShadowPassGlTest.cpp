#include <gtest/gtest.h>

#include <glm/gtc/type_ptr.hpp>
#include <vector>

#include "GraphicsEngine/Mesh.h"
#include "render/Lighting.h"
#include "support/PassFixture.h"

namespace {

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

// A 6 x 6 wall facing the camera 20 units ahead.
class EffigyPass : public PassFixture {
protected:
    Mesh wall;

    void SetUp() override {
        PassFixture::SetUp();
        testmesh::quad(wall, program("emberwight"), {-3, -3, -20}, {6, 0, 0}, {0, 6, 0});
        wall.colorTexture = testmesh::solidTexture(110, 80, 60);
        engine.fireLayerTexture = testmesh::solidTexture(255, 170, 60);
        engine.noiseTexture = testmesh::solidTexture(128, 128, 128);
        lookAt({0, 0, 0}, {0, 0, -1}, {0, 1, 0});
    }
    void TearDown() override {
        wall.release();
        PassFixture::TearDown();
    }
    Rgba draw() {
        clearWindow();
        engine.renderEffigy(wall, engine.projectionMatrix * engine.viewMatrix, glm::mat4(1.0f),
                            nullptr);
        return readPixel(kSize / 2, kSize / 2);
    }
};

}  // namespace

TEST_F(EffigyPass, GlowsWarmWithoutLightsAndLeavesUnitTwoActive) {
    scene->numPointLights = 0;  // not lit: the figure makes its own light
    scene->sunLightInt = 0.0f;
    scene->clock.time = 12.25;
    const Rgba centre = draw();
    EXPECT_GT(centre.r, 120);
    EXPECT_GT(centre.r, centre.g);
    EXPECT_GT(centre.g, centre.b);

    const GLuint id = program("emberwight")->program;
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE2);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(engine.noiseTexture));
    glActiveTexture(GL_TEXTURE1);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(engine.fireLayerTexture));
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    float time = 0.0f;
    glGetUniformfv(id, glGetUniformLocation(id, "timePassed"), &time);
    EXPECT_FLOAT_EQ(time, 12.25f);
    GLint sampler = -1;
    glGetUniformiv(id, glGetUniformLocation(id, "fireTexture"), &sampler);
    EXPECT_EQ(sampler, 1);
    glGetUniformiv(id, glGetUniformLocation(id, "noiseTexture"), &sampler);
    EXPECT_EQ(sampler, 2);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(EffigyPass, TheFireMovesWithTimeAndIsFogged) {
    scene->clock.time = 0.0;
    const Rgba first = draw();
    scene->clock.time = 0.6;
    const Rgba later = draw();
    EXPECT_NE(first.r + first.g + first.b, later.r + later.g + later.b);

    scene->fogStart = 5.0f;  // the wall is 20 away: past the end, the fog colour
    scene->fogEnd = 15.0f;
    const Rgba fogged = draw();
    EXPECT_EQ(fogged.r + fogged.g + fogged.b, 0);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(PassFixture, SunShadowPassWritesTheDepthTheLitPassAddresses) {
    Mesh floor;
    testmesh::quad(floor, program("default"), {-10, 0, 10}, {20, 0, 0}, {0, 0, -20});
    engine.cameraPosition = glm::vec3(3.0f, 2.0f, -1.0f);
    glBindFramebuffer(GL_FRAMEBUFFER, engine.shadowMapFramebuffer);
    glViewport(0, 0, engine.shadowMapWidth, engine.shadowMapHeight);
    glClear(GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDisable(GL_CULL_FACE);  // seen from the sun the floor is a front face, but be sure
    engine.renderShadow(floor, nullptr, glm::mat4(1.0f));
    glEnable(GL_CULL_FACE);
    glViewport(0, 0, kSize, kSize);

    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    const GLuint id = program("shadow")->program;
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), static_cast<GLint>(id));
    glm::mat4 sent(0.0f);
    glGetUniformfv(id, glGetUniformLocation(id, "depthMVP"), glm::value_ptr(sent));
    EXPECT_EQ(sent, lighting::sunDepthMvp(engine.cameraPosition, scene->sunLightDir, glm::mat4(1.0f)));

    // The lit pass's matrix maps a floor point to the texel holding its depth.
    const glm::vec4 lookup = lighting::biasedSunDepthMvp(engine.shadowBiasMatrix,
                                                         engine.cameraPosition, scene->sunLightDir,
                                                         glm::mat4(1.0f)) *
                             glm::vec4(2.0f, 0.0f, 1.0f, 1.0f);
    std::vector<float> depth(static_cast<size_t>(engine.shadowMapWidth) * engine.shadowMapHeight);
    glBindTexture(GL_TEXTURE_2D, engine.shadowMapTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    const int x = static_cast<int>(lookup.x * engine.shadowMapWidth);
    const int y = static_cast<int>(lookup.y * engine.shadowMapHeight);
    EXPECT_NEAR(depth[static_cast<size_t>(y) * engine.shadowMapWidth + x], lookup.z, 0.002f);
    EXPECT_NEAR(depth[0], 1.0f, 1e-6f);  // the map's corner lies outside the floor
    floor.release();
    EXPECT_TRUE(context.errors().empty());
}
