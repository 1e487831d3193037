#include "game/StaticObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

#include "app/Engine.h"
#include "render/FrameRules.h"
#include "support/EngineWithScene.h"

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance = 1e-5f) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_NEAR(actual[c][r], expected[c][r], tolerance) << c << r;
}

glm::mat4 turnY(float degrees) {
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), glm::vec3(0.0f, 1.0f, 0.0f));
}

game::StaticObject makeObject(int kind, const glm::vec3& position,
                              const glm::vec3& angles = glm::vec3(0.0f)) {
    const BoundingBox box(position - glm::vec3(3.0f, 0.0f, 3.0f), position + glm::vec3(3.0f, 9.0f, 3.0f));
    return game::StaticObject(kind, 4, box, position, angles, 0.6f, 0.18f, "rock.obj", "rock.jpg");
}

}  // namespace

TEST(StaticObject, KeepsWhatItIsBuiltWith) {
    game::StaticObject object = makeObject(2, glm::vec3(1.0f, 2.0f, 3.0f), {10.0f, 20.0f, 30.0f});
    EXPECT_EQ(object.kind, 2);
    EXPECT_EQ(object.objectId, 4);
    expectNear(object.rotationAngles, {10.0f, 20.0f, 30.0f}, 0.0f);
    expectNear(object.rotationMatrix, glm::mat4(1.0f), 0.0f);  // start angles wait for init
    EXPECT_EQ(object.mesh, nullptr);
    EXPECT_EQ(object.shader, nullptr);
    EXPECT_EQ(object.colorTexture, 0u);
    EXPECT_FLOAT_EQ(object.shininess, 0.6f);
    EXPECT_FLOAT_EQ(object.specLightInt, 0.18f);
    EXPECT_EQ(object.modelFile, "rock.obj");
    EXPECT_EQ(object.colorFile, "rock.jpg");
    EXPECT_EQ(object.normalFile, "");
    EXPECT_EQ(object.depthFile, "");
    object.setMapFiles("rockn.jpg", "rockd.jpg");
    EXPECT_EQ(object.normalFile, "rockn.jpg");
    EXPECT_EQ(object.depthFile, "rockd.jpg");
}

TEST(StaticObject, ZeroStartRotationLeavesTheBox) {
    BoundingBox box(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    const glm::mat4 rotation = game::applyStartRotation(glm::vec3(0.0f), box);
    expectNear(rotation, glm::mat4(1.0f), 0.0f);
    expectNear(box.minCorner, glm::vec3(0.0f), 0.0f);
    expectNear(box.maxCorner, {2.0f, 4.0f, 6.0f}, 0.0f);
    expectNear(box.edgeZ, {0.0f, 0.0f, 6.0f}, 0.0f);
}

TEST(StaticObject, StartRotationTurnsMatrixAndBoxAlike) {
    const glm::vec3 angles(30.0f, 45.0f, 60.0f);
    BoundingBox box(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    const glm::mat4 rotation = game::applyStartRotation(angles, box);
    const glm::mat4 expected =
        glm::rotate(glm::rotate(glm::rotate(glm::mat4(1.0f), glm::radians(30.0f), glm::vec3(1, 0, 0)),
                                glm::radians(45.0f), glm::vec3(0, 1, 0)),
                    glm::radians(60.0f), glm::vec3(0, 0, 1));
    expectNear(rotation, expected);
    expectNear(box.edgeX, glm::vec3(expected * glm::vec4(2, 0, 0, 0)));
    expectNear(box.edgeY, glm::vec3(expected * glm::vec4(0, 4, 0, 0)));
    expectNear(box.edgeZ, glm::vec3(expected * glm::vec4(0, 0, 6, 0)));
    expectNear(box.center, {1.0f, 2.0f, 3.0f});

    // Only the y step: x and z are skipped, not turned by 0.
    BoundingBox onlyY(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    expectNear(game::applyStartRotation({0.0f, 90.0f, 0.0f}, onlyY), turnY(90.0f));
    expectNear(onlyY.edgeX, {0.0f, 0.0f, -2.0f});
}

TEST(StaticObject, TurningStructureTurnsEighteenDegreesPerSecond) {
    EngineWithScene rig;
    Engine& engine = rig.engine;
    game::StaticObject object = makeObject(2, glm::vec3(-2.5f, 3.0f, 0.0f));
    object.setEngine(&engine);
    const BoundingBox before = object.boundingBox;

    object.update(0.5);
    EXPECT_FLOAT_EQ(object.rotationAngles.y, 9.0f);
    expectNear(object.rotationMatrix, turnY(9.0f));
    expectNear(object.modelMatrix,
               glm::translate(glm::mat4(1.0f), glm::vec3(-2.5f, 3.0f, 0.0f)) * turnY(9.0f));
    expectNear(object.boundingBox.edgeX, before.edgeX, 0.0f);  // the box is not turned

    for (int i = 0; i < 39; ++i) object.update(0.5);  // 19.5 s more: one whole turn
    EXPECT_FLOAT_EQ(object.rotationAngles.y, 0.0f);
    expectNear(object.rotationMatrix, glm::mat4(1.0f), 1e-5f);
    // Frame-sized steps add up the same, within float rounding.
    for (int i = 0; i < 1210; ++i) object.update(1.0 / 60.0);
    EXPECT_NEAR(object.rotationAngles.y, 3.0f, 0.05f);
}

// After days of turning the angle stays within one turn, and each frame still
// turns the structure by its full step.
TEST(StaticObject, TheTurnKeepsItsRateAfterDays) {
    for (double fps : {120.0, 1000.0}) {
        SCOPED_TRACE(fps);
        const double step = 1.0 / fps;
        // An angle that had been left to grow for three days, and one in range.
        for (float start : {3.0f * 86400.0f * game::kTurnRate, 359.99f}) {
            float angle = start;
            for (int frame = 0; frame < 3; ++frame) angle = game::turnedAngle(angle, step);
            EXPECT_GE(angle, 0.0f);
            EXPECT_LT(angle, 360.0f);
            const double expected = std::fmod(start + 3.0 * step * game::kTurnRate, 360.0);
            EXPECT_NEAR(angle, expected, 1e-3) << start;
            // Every further step turns by the same amount (mod a whole turn).
            const float next = game::turnedAngle(angle, step);
            EXPECT_NEAR(std::fmod(next - angle + 360.0f, 360.0f), step * game::kTurnRate, 1e-4);
        }
    }
    EXPECT_FLOAT_EQ(game::turnedAngle(350.0f, 1.0), 8.0f);
    EXPECT_FLOAT_EQ(game::turnedAngle(-20.0f, 0.0), 340.0f);
}

TEST(StaticObject, OnlyKindTwoTurns) {
    EngineWithScene rig;
    Engine& engine = rig.engine;
    for (int kind : {1, 3}) {
        game::StaticObject object = makeObject(kind, glm::vec3(5.0f, 0.0f, 0.0f));
        object.setEngine(&engine);
        object.update(2.0);
        EXPECT_FLOAT_EQ(object.rotationAngles.y, 0.0f) << kind;
        expectNear(object.modelMatrix, glm::mat4(1.0f), 0.0f);  // set by init only
        EXPECT_FALSE(object.shadowCasting().movesItself) << kind;
    }
    // What turns says so to the shadow cube, which keeps it out of the static casters.
    game::StaticObject turning = makeObject(2, glm::vec3(5.0f, 0.0f, 0.0f));
    turning.setEngine(&engine);
    turning.update(2.0);
    EXPECT_TRUE(turning.shadowCasting().movesItself);
    EXPECT_EQ(turning.shadowCasting().model, turning.modelMatrix);
}

TEST(StaticObject, UpdateAlwaysRebuildsTheCombinedMatrix) {
    Engine engine;
    engine.projectionMatrix = glm::perspective(glm::radians(45.0f), 4.0f / 3.0f, 0.1f, 250.0f);
    engine.viewMatrix = glm::lookAt(glm::vec3(-45, 10, -25), glm::vec3(-35, 10, -15), glm::vec3(0, 1, 0));
    game::StaticObject object = makeObject(3, glm::vec3(15.0f, 1.0f, 28.0f));
    object.setEngine(&engine);
    object.modelMatrix = glm::translate(glm::mat4(1.0f), object.position);
    object.update(0.016);
    expectNear(object.currentMatrix, engine.projectionMatrix * engine.viewMatrix * object.modelMatrix);

    // A camera move alone shows in the next update.
    engine.viewMatrix = glm::lookAt(glm::vec3(0, 10, 0), glm::vec3(10, 10, 10), glm::vec3(0, 1, 0));
    const glm::mat4 old = object.currentMatrix;
    object.update(0.0);
    expectNear(object.currentMatrix, engine.projectionMatrix * engine.viewMatrix * object.modelMatrix);
    EXPECT_NE(object.currentMatrix, old);
}

TEST(StaticObject, KindChoosesPassAndMaps) {
    EXPECT_TRUE(game::drawsWithEffigyPass(1));
    for (int kind : {0, 2, 3, 4, 5, 6, 7}) EXPECT_FALSE(game::drawsWithEffigyPass(kind)) << kind;
    EXPECT_FALSE(game::castsShadows(6));
    for (int kind : {0, 1, 2, 3, 4, 5, 7}) EXPECT_TRUE(game::castsShadows(kind)) << kind;
    EXPECT_TRUE(game::loadsSurfaceMaps(2));
    EXPECT_TRUE(game::loadsSurfaceMaps(3));
    for (int kind : {0, 1, 4, 5, 6, 7}) EXPECT_FALSE(game::loadsSurfaceMaps(kind)) << kind;
}

// An object whose model never loaded has no mesh: every pass skips it before
// the engine is even looked at (here there is none).
TEST(StaticObject, WithoutMeshEveryPassIsSkipped) {
    for (int kind : {1, 2, 3, 6}) {
        game::StaticObject object = makeObject(kind, glm::vec3(0.0f));
        testing::internal::CaptureStdout();
        object.draw();
        object.drawOmniShadow();
        object.drawShadow(0, 0, 0);
        object.placeholder();
        object.placeholderExtra();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << kind;
        EXPECT_FALSE(object.shadowCasting().casts) << kind;
    }
}

// A model that fails to load leaves nothing to draw: the frame passes over the
// object, so the object counter (F7) does not count it either.
TEST(StaticObject, AnObjectWhoseModelFailedIsNotCountedAsDrawn) {
    Engine engine;
    game::StaticObject object = makeObject(3, glm::vec3(0.0f));  // no such files
    object.setEngine(&engine);
    testing::internal::CaptureStdout();
    object.init(nullptr);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(object.mesh, nullptr);
    EXPECT_FALSE(frame::isActive(object));
    EXPECT_FALSE(frame::shouldDraw(object, false, engine.frustumPlanes));
}
