#include "particles/FireEmitters.h"

#include <gtest/gtest.h>

#include <string>

#include "game/Scene.h"
#include "particles/ParticleSystem.h"
#include "support/TempDataRoot.h"

namespace {

size_t count(const std::string& text, const std::string& what) {
    size_t found = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++found;
    return found;
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

}  // namespace

TEST(FireEmitters, OneSegmentAppendsFourSystemsInOrder) {
    TempDataRoot root;
    testing::internal::CaptureStdout();
    Scene scene(nullptr);
    const size_t before = scene.particleSystems.size();
    scene.addFireEmitters(glm::vec3(1, 2, 3), glm::vec3(4, 5, 6));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count(printed, "Particle System generator initialized...\n"), 48u);
    ASSERT_EQ(scene.particleSystems.size(), before + 4);
    const char* textures[4] = {"particle.tga", "smoke45_alpha.tga", "flames3.tga", "flames2.tga"};
    for (int i = 0; i < 4; ++i) {
        const ParticleSystem& system = *scene.particleSystems[before + i];
        EXPECT_EQ(system.getTextureName(), textures[i]);
        expectNear(system.genPosition1, {1, 2, 3});
        expectNear(system.genPosition2, {4, 5, 6});
        EXPECT_FLOAT_EQ(system.elapsedTime, 0.8f);  // the first update emits
        EXPECT_FALSE(system.initialized);
    }
}

TEST(FireEmitters, FortyFourSystemsWithTheirSettings) {
    TempDataRoot root;
    testing::internal::CaptureStdout();
    Scene scene(nullptr);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count(printed, "Particle System generator initialized...\n"), 44u);
    ASSERT_EQ(scene.particleSystems.size(), 44u);

    for (size_t k = 0; k < 11; ++k) {
        const ParticleSystem& sparks = *scene.particleSystems[4 * k];
        const ParticleSystem& smoke = *scene.particleSystems[4 * k + 1];
        const ParticleSystem& large = *scene.particleSystems[4 * k + 2];
        const ParticleSystem& small = *scene.particleSystems[4 * k + 3];
        EXPECT_EQ(sparks.textureName, "particle.tga");
        EXPECT_EQ(smoke.textureName, "smoke45_alpha.tga");
        EXPECT_EQ(large.textureName, "flames3.tga");
        EXPECT_EQ(small.textureName, "flames2.tga");
        EXPECT_FALSE(sparks.usesAlphaBlending());
        EXPECT_TRUE(smoke.usesAlphaBlending());
        EXPECT_FALSE(large.usesAlphaBlending());
        EXPECT_FALSE(small.usesAlphaBlending());

        expectNear(sparks.genVelocity_Range, {8, 8, 8});
        EXPECT_NEAR(sparks.genLifetime_Range, 1.0f, 1e-6f);
        EXPECT_NEAR(sparks.genSize_Range, 0.025f, 1e-6f);
        expectNear(smoke.genVelocity_Range, {1, 1, 1});
        EXPECT_NEAR(smoke.genLifetime_Range, 2.0f, 1e-6f);
        EXPECT_NEAR(smoke.genSize_Range, 1.5f, 1e-6f);
        expectNear(large.genVelocity_Range, {2, 2, 2});
        EXPECT_NEAR(large.genLifetime_Range, 0.3f, 1e-6f);
        EXPECT_NEAR(large.genSize_Range, 0.5f, 1e-6f);
        expectNear(small.genVelocity_Range, {1.2f, 2, 1.2f});
        EXPECT_NEAR(small.genLifetime_Range, 0.6f, 1e-6f);
        EXPECT_NEAR(small.genSize_Range, 0.2f, 1e-6f);
    }

    const ParticleSystem& sparks = *scene.particleSystems[0];
    expectNear(sparks.genVelocity_Min, {-4, 0, -4});
    expectNear(sparks.genGravity, {0, -4, 0});
    expectNear(sparks.genColor, {1, 0.75f, 0.25f});
    EXPECT_EQ(sparks.particleCount, 1);
    EXPECT_EQ(sparks.animRows * sparks.animCols * sparks.animFrames, 1);
    EXPECT_FLOAT_EQ(sparks.generationInterval, 0.05f);
    EXPECT_FLOAT_EQ(sparks.blendDelay, 0.0f);
    EXPECT_FLOAT_EQ(sparks.alpha, 1.0f);

    const ParticleSystem& smoke = *scene.particleSystems[1];
    EXPECT_EQ(smoke.alphaType, 1);
    EXPECT_EQ(smoke.animRows, 7);
    EXPECT_EQ(smoke.animCols, 7);
    EXPECT_EQ(smoke.animFrames, 46);
    EXPECT_FLOAT_EQ(smoke.generationInterval, 0.03f);
    EXPECT_FLOAT_EQ(smoke.blendDelay, 0.025f);
    expectNear(smoke.genGravity, {0.1f, 0.8f, 0.1f});
    EXPECT_FLOAT_EQ(smoke.alpha, 0.45f);
    expectNear(smoke.genColor, {0.25f, 0.25f, 0.25f});

    const ParticleSystem& large = *scene.particleSystems[2];
    EXPECT_EQ(large.particleCount, 2);
    EXPECT_EQ(large.animFrames, 36);
    EXPECT_FLOAT_EQ(large.animSpeed, 0.25f);
    EXPECT_FLOAT_EQ(large.generationInterval, 0.01f);
    EXPECT_FLOAT_EQ(large.genSize_Min, 0.35f);
    EXPECT_FLOAT_EQ(large.alpha, 0.5f);

    const ParticleSystem& small = *scene.particleSystems[3];
    EXPECT_EQ(small.particleCount, 2);
    EXPECT_EQ(small.animRows, 4);
    EXPECT_EQ(small.animFrames, 16);
    EXPECT_FLOAT_EQ(small.blendDelay, 0.15f);
    EXPECT_FLOAT_EQ(small.genLifetime_Min, 0.6f);
    EXPECT_FLOAT_EQ(small.alpha, 0.75f);
}

TEST(FireEmitters, TuningWithTheDefaultsKeepsTheBundleAndTunedValuesTakeHold) {
    TempDataRoot root;
    testing::internal::CaptureStdout();
    Scene scene(nullptr);
    testing::internal::GetCapturedStdout();
    const Settings defaults;
    for (size_t i = 0; i < scene.particleSystems.size(); ++i) {
        ParticleSystem& system = *scene.particleSystems[i];
        const ParticleSystem built = system;
        const int kind = static_cast<int>(i % kParticleKinds);
        fire::tune(system, kind, defaults.particles[static_cast<size_t>(kind)]);
        // Exactly the generator the bundle gave: the defaults are the scene's.
        EXPECT_EQ(system.generationInterval, built.generationInterval) << "system " << i;
        EXPECT_EQ(system.genLifetime_Min, built.genLifetime_Min) << "system " << i;
        EXPECT_EQ(system.genLifetime_Range, built.genLifetime_Range) << "system " << i;
        EXPECT_EQ(system.genSize_Min, built.genSize_Min) << "system " << i;
        EXPECT_EQ(system.genSize_Range, built.genSize_Range) << "system " << i;
        EXPECT_EQ(system.genVelocity_Min, built.genVelocity_Min) << "system " << i;
        EXPECT_EQ(system.genVelocity_Range, built.genVelocity_Range) << "system " << i;
        EXPECT_EQ(system.genGravity, built.genGravity) << "system " << i;
    }

    // Smoke ({-0.5, 0, -0.5} to {0.5, 1, 0.5}, gravity {0.1, 0.8, 0.1}) tuned.
    ParticleSettings smoke = defaults.particles[1];
    smoke.interval = 0.2f;
    smoke.life = glm::vec2(3.0f, 7.0f);
    smoke.size = glm::vec2(1.0f, 1.5f);
    smoke.speed = 2.0f;
    smoke.spread = 3.0f;
    smoke.wind = glm::vec2(1.5f, -0.5f);
    ParticleSystem& system = *scene.particleSystems[1];
    fire::tune(system, 1, smoke);
    EXPECT_FLOAT_EQ(system.generationInterval, 0.2f);
    EXPECT_FLOAT_EQ(system.genLifetime_Min, 3.0f);
    EXPECT_FLOAT_EQ(system.genLifetime_Range, 4.0f);
    EXPECT_FLOAT_EQ(system.genSize_Min, 1.0f);
    EXPECT_FLOAT_EQ(system.genSize_Range, 0.5f);
    expectNear(system.genVelocity_Min, {-3.0f, 0.0f, -3.0f});  // 2 x (-1.5, 0, -1.5)
    expectNear(system.genVelocity_Range, {6.0f, 2.0f, 6.0f});
    expectNear(system.genGravity, {1.6f, 0.8f, -0.4f});
}
