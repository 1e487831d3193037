#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "particles/ParticleSystem.h"

namespace {

void expectVec3(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_FLOAT_EQ(actual.x, expected.x);
    EXPECT_FLOAT_EQ(actual.y, expected.y);
    EXPECT_FLOAT_EQ(actual.z, expected.z);
}

}  // namespace

TEST(ParticleRecord, IsFiftyTwoPackedBytesInTableOrder) {
    EXPECT_EQ(sizeof(Particle), 52u);
    EXPECT_EQ(offsetof(Particle, position), 0u);
    EXPECT_EQ(offsetof(Particle, velocity), 12u);
    EXPECT_EQ(offsetof(Particle, color), 24u);
    EXPECT_EQ(offsetof(Particle, lifetime), 36u);
    EXPECT_EQ(offsetof(Particle, timeleft), 40u);
    EXPECT_EQ(offsetof(Particle, size), 44u);
    EXPECT_EQ(offsetof(Particle, type), 48u);
    EXPECT_EQ(ParticleSystem::kBufferBytes, 5200000);
}

TEST(ParticleSystem, ConstructionValues) {
    ParticleSystem system;
    EXPECT_FALSE(system.initialized);
    EXPECT_EQ(system.transformFeedback, 0u);
    EXPECT_TRUE(system.textureName.empty());
    EXPECT_EQ(system.currentBuffer, 0);
    EXPECT_EQ(system.projectionMatrix, glm::mat4(1.0f));
    EXPECT_EQ(system.viewMatrix, glm::mat4(1.0f));
    expectVec3(system.quad1, glm::vec3(0.0f));
    expectVec3(system.quad2, glm::vec3(0.0f));
    EXPECT_EQ(system.elapsedTime, 0.0f);
    expectVec3(system.genPosition1, glm::vec3(0.0f));
    expectVec3(system.genVelocity_Range, glm::vec3(0.0f));
    expectVec3(system.genGravity, glm::vec3(0.0f));
    expectVec3(system.genColor, glm::vec3(0.0f));
    EXPECT_EQ(system.particleCount, 0);
    EXPECT_EQ(system.updateShader, nullptr);
    EXPECT_EQ(system.renderShader, nullptr);
}

TEST(ParticleSystem, FullFormStoresMinimaAndRanges) {
    ParticleSystem smoke;
    testing::internal::CaptureStdout();
    smoke.setGeneratorProperties(glm::vec3(1, 2, 3), glm::vec3(4, 5, 6), glm::vec3(-0.5f, 0, -0.5f),
                                 glm::vec3(0.5f, 1, 0.5f), glm::vec3(0.1f, 0.8f, 0.1f), 2.0f, 4.0f,
                                 0.5f, 2.0f, 0.03f, 1, 7, 7, 46, 1.0f, 1, 0.025f, glm::vec3(0.25f),
                                 0.45f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Particle System generator initialized...\n");

    expectVec3(smoke.genPosition1, glm::vec3(1, 2, 3));
    expectVec3(smoke.genPosition2, glm::vec3(4, 5, 6));
    expectVec3(smoke.genVelocity_Min, glm::vec3(-0.5f, 0, -0.5f));
    expectVec3(smoke.genVelocity_Range, glm::vec3(1, 1, 1));
    expectVec3(smoke.genGravity, glm::vec3(0.1f, 0.8f, 0.1f));
    EXPECT_FLOAT_EQ(smoke.genLifetime_Min, 2.0f);
    EXPECT_FLOAT_EQ(smoke.genLifetime_Range, 2.0f);
    EXPECT_FLOAT_EQ(smoke.genSize_Min, 0.5f);
    EXPECT_FLOAT_EQ(smoke.genSize_Range, 1.5f);
    EXPECT_FLOAT_EQ(smoke.generationInterval, 0.03f);
    EXPECT_EQ(smoke.particleCount, 1);
    EXPECT_EQ(smoke.animRows, 7);
    EXPECT_EQ(smoke.animCols, 7);
    EXPECT_EQ(smoke.animFrames, 46);
    EXPECT_FLOAT_EQ(smoke.animSpeed, 1.0f);
    EXPECT_EQ(smoke.alphaType, 1);
    EXPECT_FLOAT_EQ(smoke.blendDelay, 0.025f);
    expectVec3(smoke.genColor, glm::vec3(0.25f));
    EXPECT_FLOAT_EQ(smoke.alpha, 0.45f);
    EXPECT_FLOAT_EQ(smoke.elapsedTime, 0.8f);
    EXPECT_TRUE(smoke.usesAlphaBlending());
}

TEST(ParticleSystem, ShortFormFixesASingleAdditiveFrame) {
    ParticleSystem sparks;
    sparks.elapsedTime = 3.0f;
    sparks.alphaType = 1;
    testing::internal::CaptureStdout();
    sparks.setGeneratorProperties(glm::vec3(0), glm::vec3(0, 1, 0), glm::vec3(-4, 0, -4),
                                  glm::vec3(4, 8, 4), glm::vec3(0, -4, 0), 2.0f, 3.0f, 0.025f,
                                  0.05f, 0.05f, glm::vec3(1, 0.75f, 0.25f), 1.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Particle System generator initialized...\n");

    expectVec3(sparks.genVelocity_Range, glm::vec3(8, 8, 8));
    EXPECT_FLOAT_EQ(sparks.genLifetime_Range, 1.0f);
    EXPECT_FLOAT_EQ(sparks.genSize_Range, 0.025f);
    EXPECT_EQ(sparks.particleCount, 1);
    EXPECT_EQ(sparks.animRows, 1);
    EXPECT_EQ(sparks.animCols, 1);
    EXPECT_EQ(sparks.animFrames, 1);
    EXPECT_FLOAT_EQ(sparks.animSpeed, 1.0f);
    EXPECT_EQ(sparks.alphaType, 0);
    EXPECT_FLOAT_EQ(sparks.blendDelay, 0.0f);
    expectVec3(sparks.genColor, glm::vec3(1, 0.75f, 0.25f));
    EXPECT_FLOAT_EQ(sparks.alpha, 1.0f);
    EXPECT_FLOAT_EQ(sparks.elapsedTime, 0.8f);
    EXPECT_FALSE(sparks.usesAlphaBlending());
}

TEST(ParticleSystem, TextureNameAndBlendingQueries) {
    ParticleSystem system;
    system.textureName = "flames3.tga";
    std::string copy = system.getTextureName();
    copy += "x";
    EXPECT_EQ(system.getTextureName(), "flames3.tga");
    system.setTexture(42);
    EXPECT_EQ(system.texture, 42u);
    for (int type : {0, 2, -1}) {
        system.alphaType = type;
        EXPECT_FALSE(system.usesAlphaBlending()) << type;
    }
    system.alphaType = 1;
    EXPECT_TRUE(system.usesAlphaBlending());
}

TEST(ParticleSystem, UpdateAndRenderBeforeInitializeDoNothing) {
    // No GL context exists here: any GL call would crash.
    ParticleSystem system;
    system.elapsedTime = 0.8f;
    system.updateParticles(0.5f);
    system.renderParticles();
    EXPECT_FLOAT_EQ(system.elapsedTime, 0.8f);
    EXPECT_EQ(system.currentBuffer, 0);
}
