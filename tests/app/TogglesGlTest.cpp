#include <gtest/gtest.h>

#include "app/Engine.h"
#include "app/Toggles.h"
#include "game/Scene.h"
#include "render/RenderState.h"
#include "support/GlContext.h"

// F9 feeds the blending of the frame's scene passes; F3 changes no GL state
// at its press (the frame's passes read the switch).
TEST(TogglesGl, EffectsFeedTheFrameNotTheContext) {
    GlContext context;
    TextureCache cache;
    RenderState render;
    GLint mode[2] = {0, 0};

    toggles::applyEffect(toggles::GlEffect::LineMode, cache, render);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);

    glEnable(GL_BLEND);
    toggles::applyEffect(toggles::GlEffect::BlendOff, cache, render);
    EXPECT_FALSE(render.sceneBlending);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    toggles::applyEffect(toggles::GlEffect::BlendOn, cache, render);
    EXPECT_TRUE(render.sceneBlending);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST(TogglesGl, SamplingTogglesReachEveryCachedTexture) {
    GlContext context;
    Engine engine;
    RenderState render;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const unsigned char pixels[4 * 4 * 3] = {};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    engine.textureCache.textures["grey.tga"] = texture;

    // F5 from the start state picks linear mip-mapping; nearest sampling is
    // still on, so the texture gets the nearest counterpart.
    toggles::applyEffect(toggles::act(4, engine).effect, engine.textureCache, render);
    GLint minFilter = 0, magFilter = 0, bound = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_NEAREST_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_NEAREST);

    // F4 switches to bilinear; the minification filter stays nearest until F5.
    glBindTexture(GL_TEXTURE_2D, 0);
    toggles::applyEffect(toggles::act(3, engine).effect, engine.textureCache, render);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_NEAREST_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST(TogglesGl, StartUpSetsCameraAndToggleStartValues) {
    GlContext context;
    Engine engine;
    Scene scene(&engine);
    engine.surface = context.surface();
    engine.scene = &scene;
    engine.width = 800;
    engine.height = 600;
    engine.showHelp = engine.wireframe = true;
    engine.mipmapMode = 0;
    engine.fpsLimitMode = 3;
    engine.frameTimeLimit = -1.0f;
    engine.keyLatches[4] = true;
    engine.statusText = "stale";
    engine.yaw = 40.0f;

    engine.setUpCameraAndToggles();

    EXPECT_FLOAT_EQ(engine.projectionMatrix[1][1] / engine.projectionMatrix[0][0], 1.3333334f);
    EXPECT_FLOAT_EQ(engine.projectionMatrix[3][2], -2.0f * 250.0f * 0.1f / (250.0f - 0.1f));
    EXPECT_EQ(engine.viewDirection, glm::vec3(1.0f, 0.0f, 1.0f));
    EXPECT_EQ(engine.cameraPosition, scene.cameraStart);
    EXPECT_EQ(engine.yaw, 0.0f);
    EXPECT_EQ(glfwGetInputMode(context.window(), GLFW_CURSOR), GLFW_CURSOR_HIDDEN);
    EXPECT_FALSE(engine.showHelp || engine.wireframe || engine.keyLatches[4]);
    EXPECT_TRUE(engine.cullingEnabled && engine.transparencyEnabled && engine.nearestSampling);
    EXPECT_EQ(engine.mipmapMode, 1);
    EXPECT_EQ(engine.fpsLimitMode, 2);
    EXPECT_FLOAT_EQ(engine.frameTimeLimit, 0.008333f);
    EXPECT_TRUE(engine.statusText.empty());
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}
