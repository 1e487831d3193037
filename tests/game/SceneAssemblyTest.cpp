#include "game/SceneAssembly.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/Cuboid.h"
#include "game/Scene.h"
#include "game/StaticObject.h"
#include "particles/ParticleSystem.h"
#include "support/SceneFiles.h"
#include "support/TempDataRoot.h"

namespace {

struct Built {
    TempDataRoot root;
    std::unique_ptr<Scene> scene;
    std::string printed;

    explicit Built(int level) {
        EXPECT_TRUE(scene_files::writeUniformHeightmap(root.path(), level));
        testing::internal::CaptureStdout();
        scene = std::make_unique<Scene>(nullptr);
        printed = testing::internal::GetCapturedStdout();
    }
    game::StaticObject& object(size_t i) {
        return *static_cast<game::StaticObject*>(scene->objects.at(i));
    }
};

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(SceneAssembly, TwelveObjectsInPlacementOrder) {
    Built built(51);  // s = 0.2: ground at 2, H = 4.5
    Scene& scene = *built.scene;
    ASSERT_EQ(scene.objects.size(), 12u);
    EXPECT_EQ(scene.objectCount, 12);
    const char* models[12] = {"rock1_big.obj", "rock1_big.obj", "rock1_big.obj",
                              "rock1_big.obj", "rock1_big.obj", "rock1_big.obj",
                              "rock2_big.obj", "rock2_big.obj", "rock2_big.obj",
                              "emberwight_platform.obj", "emberwight_rotate.obj",
                              "emberwight2.obj"};
    const int kinds[12] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2, 1};
    for (int i = 0; i < 12; ++i) {
        game::StaticObject& object = built.object(i);
        EXPECT_EQ(object.objectId, i);
        EXPECT_EQ(object.kind, kinds[i]) << i;
        EXPECT_EQ(object.modelFile, models[i]) << i;
        EXPECT_EQ(object.engine, nullptr);
        EXPECT_EQ(object.mesh, nullptr);  // no GL yet
    }
    const glm::vec2 spots[9] = {{15, 28}, {-15, -22}, {19, -25}, {35, 35}, {-35, -23},
                                {-12, 50}, {-41, 3.5f}, {48, -11}, {18, 38}};
    for (int i = 0; i < 9; ++i) {
        expectNear(built.object(i).position, {spots[i].x, 1.5f, spots[i].y});
        expectNear(built.object(i).rotationAngles, {0.5f, 0.5f, 0.5f}, 0.0f);
        EXPECT_EQ(built.object(i).colorFile, "rock1.jpg");
        EXPECT_EQ(built.object(i).normalFile, "rock1n.jpg");
        EXPECT_EQ(built.object(i).depthFile, "rock1.jpg");
    }
    for (int i = 9; i < 12; ++i) expectNear(built.object(i).position, {-2.5f, 4.5f, 0.0f});

    EXPECT_EQ(built.object(9).colorFile, "brick13_2.jpg");
    EXPECT_EQ(built.object(9).depthFile, "brick13d.jpg");
    EXPECT_FLOAT_EQ(built.object(9).shininess, 1.0f);
    EXPECT_FLOAT_EQ(built.object(9).specLightInt, 0.55f);
    EXPECT_EQ(built.object(10).normalFile, "wood17n_2.jpg");
    EXPECT_FLOAT_EQ(built.object(10).shininess, 0.6f);
    EXPECT_FLOAT_EQ(built.object(10).specLightInt, 0.18f);
    EXPECT_EQ(built.object(11).colorFile, "wood_burnt.jpg");
    EXPECT_EQ(built.object(11).normalFile, "");  // plain: no maps
    EXPECT_EQ(built.object(11).depthFile, "");
    expectNear(built.object(11).rotationAngles, glm::vec3(0.0f), 0.0f);
}

TEST(SceneAssembly, BoxesStandOnTheirPositions) {
    Built built(51);
    const game::StaticObject& rock = built.object(0);
    const float y = rock.position.y;
    expectNear(rock.boundingBox.minCorner, {12.0f, y, 25.0f});
    expectNear(rock.boundingBox.maxCorner, {18.0f, y + 9.0f, 31.0f});
    const game::StaticObject& bigRock = built.object(6);
    expectNear(bigRock.boundingBox.maxCorner - bigRock.boundingBox.minCorner, {8.0f, 12.0f, 8.0f});
    const game::StaticObject& platform = built.object(9);
    expectNear(platform.boundingBox.minCorner, {-25.0f, 4.5f, -22.5f});
    expectNear(platform.boundingBox.maxCorner, {20.0f, 24.5f, 22.5f});
    const game::StaticObject& effigy = built.object(11);
    expectNear(effigy.boundingBox.maxCorner - effigy.boundingBox.minCorner, {10.0f, 20.0f, 10.0f});
}

TEST(SceneAssembly, CuboidStandsApartFromTheList) {
    Built built(51);
    ASSERT_NE(built.scene->cuboid, nullptr);
    expectNear(built.scene->cuboid->position, {-5.0f, 7.5f, 0.0f}, 0.0f);
    EXPECT_EQ(built.scene->cuboid->objectId, 100);
    for (game::SceneObject* object : built.scene->objects) EXPECT_NE(object, built.scene->cuboid);
}

TEST(SceneAssembly, ElevenSegmentsFollowThePlatformBase) {
    const auto segments = game::fireSegments(3.0f);
    expectNear(segments[0].first, {-0.25f, 3.4f, 0.0f});
    expectNear(segments[0].second, {-1.585f, 7.73f, 0.0f});
    expectNear(segments[4].second, {1.5f, 13.0f, 0.0f});
    expectNear(segments[7].second, {-2.5f, 13.8f, 0.0f});
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(segments[i].first.z, 0.0f) << i;
        EXPECT_GE(segments[i].first.y, 3.4f) << i;
        EXPECT_LE(segments[i].second.y, 13.8f) << i;
    }
    for (int i = 8; i < 11; ++i) {
        EXPECT_EQ(segments[i].first.y, 3.0f) << i;  // across the platform top
        EXPECT_EQ(segments[i].second.y, 3.0f) << i;
        EXPECT_EQ(segments[i].first.z, -segments[i].second.z) << i;
    }
    expectNear(segments[10].first, {-2.5f, 3.0f, 2.63f});

    EXPECT_FLOAT_EQ(game::platformBaseHeight(1.25f), 3.75f);
    expectNear(game::fireLightPosition(3.75f), {-2.5f, 11.94f, 0.0f});
    expectNear(game::rockPosition(15.0f, 28.0f, 2.0f), {15.0f, 1.5f, 28.0f}, 0.0f);
}

TEST(SceneAssembly, EmittersSitOnTheSegmentsInCallOrder) {
    Built built(51);
    const auto segments = game::fireSegments(4.5f);
    ASSERT_EQ(built.scene->particleSystems.size(), 44u);
    for (size_t i = 0; i < 44; ++i) {
        const ParticleSystem& system = *built.scene->particleSystems[i];
        expectNear(system.genPosition1, segments[i / 4].first);
        expectNear(system.genPosition2, segments[i / 4].second);
    }
}
