#include <gtest/gtest.h>

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

#include "app/Engine.h"
#include "game/Camera.h"
#include "support/EngineWithScene.h"

namespace {

constexpr float kPi = 3.14159265f;

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

camera::LookAngles angles(float yaw, float pitch) {
    camera::LookAngles a;
    a.yaw = yaw;
    a.pitch = pitch;
    return a;
}

float signedDistance(const Plane& plane, const glm::vec3& point) {
    return glm::dot(plane.normal, point) + plane.distance;
}

}  // namespace

// --- Mouse look -------------------------------------------------------------

TEST(CameraLook, StartDirectionIsOneZeroOne) {
    expectNear(camera::lookDirection(angles(0.0f, 0.0f)), glm::vec3(1.0f, 0.0f, 1.0f), 1e-6f);
}

TEST(CameraLook, DirectionIsAlwaysRootTwoLongAndPitch90IsOnly45DegreesUp) {
    for (float yaw : {0.0f, 37.0f, 180.0f, 359.0f})
        for (float pitch : {-90.0f, -20.0f, 0.0f, 45.0f, 90.0f})
            EXPECT_NEAR(glm::length(camera::lookDirection(angles(yaw, pitch))), std::sqrt(2.0f),
                        1e-5f);
    expectNear(camera::lookDirection(angles(0.0f, 90.0f)), glm::vec3(1.0f, 1.0f, 0.0f), 1e-6f);
}

TEST(CameraLook, FourPixelsLeftRaiseYawByOneDegree) {
    const camera::LookAngles turned = camera::turn(angles(0.0f, 0.0f), 4.0f, 0.0f);
    EXPECT_FLOAT_EQ(turned.yaw, 1.0f);
    EXPECT_FLOAT_EQ(turned.pitch, 0.0f);
    // Right lowers yaw (wrapping below zero), up raises pitch.
    EXPECT_FLOAT_EQ(camera::turn(angles(0.0f, 0.0f), -4.0f, 0.0f).yaw, 359.0f);
    EXPECT_FLOAT_EQ(camera::turn(angles(0.0f, 0.0f), 0.0f, 8.0f).pitch, 2.0f);
}

TEST(CameraLook, SubPixelMovesDoNotCount) {
    EXPECT_FALSE(camera::cursorMoved(400.0, 300.0, 400.0, 300.0));
    EXPECT_FALSE(camera::cursorMoved(400.7, 300.4, 400.0, 300.0));
    EXPECT_TRUE(camera::cursorMoved(401.0, 300.0, 400.0, 300.0));
    EXPECT_TRUE(camera::cursorMoved(400.0, 299.9, 400.0, 300.0));  // truncation crosses a pixel
}

TEST(CameraLook, YawWrapsIntoItsRange) {
    EXPECT_NEAR(camera::turn(angles(359.5f, 0.0f), 4.0f, 0.0f).yaw, 0.5f, 1e-4f);
    EXPECT_NEAR(camera::turn(angles(0.2f, 0.0f), -2.0f, 0.0f).yaw, 359.7f, 1e-4f);
    EXPECT_FLOAT_EQ(camera::turn(angles(359.0f, 0.0f), 4.0f, 0.0f).yaw, 360.0f);  // not above
}

TEST(CameraLook, PitchIsClamped) {
    EXPECT_FLOAT_EQ(camera::turn(angles(0.0f, 89.9f), 0.0f, 2.0f).pitch, 90.0f);
    EXPECT_FLOAT_EQ(camera::turn(angles(0.0f, -89.9f), 0.0f, -2.0f).pitch, -90.0f);
    EXPECT_FLOAT_EQ(camera::turn(angles(0.0f, 90.0f), 0.0f, -4.0f).pitch, 89.0f);
}

// --- Walking ----------------------------------------------------------------

TEST(CameraWalk, OneSecondOfWAt60StepsMovesTenAlongEachAxis) {
    glm::vec3 eye(-45.0f, 10.0f, -25.0f);
    camera::WalkKeys keys;
    keys.forward = true;
    for (int i = 0; i < 60; ++i) eye = camera::walk(eye, glm::vec3(1, 0, 1), keys, 1.0f / 60.0f);
    expectNear(eye, glm::vec3(-35.0f, 10.0f, -15.0f), 1e-3f);
}

TEST(CameraWalk, StrafingStaysHorizontalAndGoesLeftOrRight) {
    const glm::vec3 up = camera::lookDirection(angles(0.0f, 40.0f));  // looking upwards
    camera::WalkKeys left;
    left.left = true;
    camera::WalkKeys right;
    right.right = true;
    const glm::vec3 l = camera::walk(glm::vec3(0.0f), up, left, 0.1f);
    const glm::vec3 r = camera::walk(glm::vec3(0.0f), up, right, 0.1f);
    EXPECT_FLOAT_EQ(l.y, 0.0f);
    EXPECT_FLOAT_EQ(r.y, 0.0f);
    expectNear(l, -r, 1e-6f);
    // Looking along (1, 0, 1), the viewer's left is (1, 0, -1).
    expectNear(camera::leftOf(glm::vec3(1, 0, 1)), glm::vec3(1, 0, -1), 1e-6f);
}

TEST(CameraWalk, ForwardFollowsThePitchAndOppositeKeysCancel) {
    const glm::vec3 d = camera::lookDirection(angles(0.0f, 30.0f));
    camera::WalkKeys w;
    w.forward = true;
    EXPECT_GT(camera::walk(glm::vec3(0.0f), d, w, 0.1f).y, 0.0f);
    camera::WalkKeys all;
    all.forward = all.back = all.left = all.right = true;
    expectNear(camera::walk(glm::vec3(3.0f), d, all, 0.1f), glm::vec3(3.0f), 1e-6f);
    expectNear(camera::walk(glm::vec3(3.0f), d, camera::WalkKeys(), 0.1f), glm::vec3(3.0f), 0.0f);
}

// --- Tour ---------------------------------------------------------------------

TEST(CameraTour, StartsAndEndsEachCycleAtTheSamePoint) {
    const glm::vec3 start(-2.5f + 20.0f * std::sin(0.4f * kPi), 10.0f + 20.0f * std::cos(0.4f * kPi),
                          0.0f);
    expectNear(start, glm::vec3(16.52f, 16.18f, 0.0f), 0.01f);
    expectNear(camera::tourPose(0.0).position, start, 1e-4f);
    expectNear(camera::tourPose(45.0).position, start, 1e-4f);
    expectNear(camera::tourPose(90.0).position, start, 1e-3f);
    EXPECT_NEAR(camera::tourPhase(90.0 + 22.5), 0.5f, 1e-5f);
}

TEST(CameraTour, LooksAtTheTargetWithAUnitDirection) {
    for (double t : {0.0, 7.0, 20.0, 30.0, 40.0}) {
        const camera::TourPose pose = camera::tourPose(t);
        expectNear(pose.target, glm::vec3(-2.5f, 10.0f, 0.0f), 0.0f);
        EXPECT_NEAR(glm::length(pose.direction), 1.0f, 1e-5f);
        expectNear(pose.direction, glm::normalize(pose.target - pose.position), 1e-5f);
    }
}

TEST(CameraTour, HalfwayThroughTheLastPhase) {
    const camera::TourOrbit o = camera::tourOrbit(0.925f);
    EXPECT_NEAR(o.radius, 40.0f, 1e-3f);
    EXPECT_NEAR(o.phi, 0.15f * kPi, 1e-4f);
    EXPECT_NEAR(o.theta, 2.0f * kPi, 1e-6f);
}

TEST(CameraTour, RadiusWidensWithinTheFirstQuarterOfEachLaterCircle) {
    EXPECT_FLOAT_EQ(camera::tourOrbit(0.1f).radius, 20.0f);
    EXPECT_NEAR(camera::tourOrbit(0.25f + 0.3f / 8.0f).radius, 30.0f, 1e-3f);  // b = 1/8
    EXPECT_NEAR(camera::tourOrbit(0.4f).radius, 40.0f, 1e-3f);
    EXPECT_NEAR(camera::tourOrbit(0.7f).radius, 60.0f, 1e-3f);
}

TEST(CameraTour, ContinuousAcrossEveryPhaseBoundary) {
    for (double u : {0.25, 0.55, 0.85, 1.0}) {
        const double t = u * 45.0;
        const glm::vec3 before = camera::tourPose(t - 1e-3).position;
        const glm::vec3 after = camera::tourPose(t + 1e-3).position;
        EXPECT_LT(glm::length(after - before), 0.05f) << "at u = " << u;
    }
}

// --- Frustum and culling ---------------------------------------------------

TEST(CameraFrustum, PointsAheadAreInsideAndSidePlanesAreVertical) {
    Plane planes[6];
    const glm::vec3 eye(-45.0f, 10.0f, -25.0f), d(1.0f, 0.0f, 1.0f), up(0.0f, 1.0f, 0.0f);
    camera::buildFrustum(planes, eye, d, up, 4.0f / 3.0f);
    for (int i = 0; i < 4; ++i) EXPECT_GT(signedDistance(planes[i], eye + 30.0f * d), 0.0f);
    EXPECT_FLOAT_EQ(planes[2].normal.y, 0.0f);
    EXPECT_FLOAT_EQ(planes[3].normal.y, 0.0f);
    expectNear(planes[0].point, eye + 0.1f * d, 1e-5f);
    expectNear(planes[1].point, eye + 200.0f * d, 1e-3f);
    // Planes 4 and 5 are never filled.
    expectNear(planes[4].normal, glm::vec3(0.0f), 0.0f);
    expectNear(planes[5].point, glm::vec3(0.0f), 0.0f);
}

TEST(CameraFrustum, SideOpeningUsesTheTangentOf22Point5Radians) {
    // Looking along +z with aspect 1 the left edge sits atan(0.5578517) = 29.15 degrees off axis.
    Plane planes[6];
    camera::buildFrustum(planes, glm::vec3(0.0f), glm::vec3(0, 0, 1), glm::vec3(0, 1, 0), 1.0f);
    const auto at = [](float degrees) {
        const float r = degrees * kPi / 180.0f;
        return glm::vec3(100.0f * std::sin(r), 0.0f, 100.0f * std::cos(r));
    };
    EXPECT_GT(signedDistance(planes[3], at(28.5f)), 0.0f);  // +x is the left here
    EXPECT_LT(signedDistance(planes[3], at(29.8f)), 0.0f);
    EXPECT_GT(signedDistance(planes[2], at(-28.5f)), 0.0f);
    EXPECT_LT(signedDistance(planes[2], at(-29.8f)), 0.0f);
}

TEST(CameraCulling, RadiusIsHalfTheDiagonalPlusOne) {
    EXPECT_FLOAT_EQ(camera::cullingRadius(glm::vec3(0.0f), glm::vec3(4.0f, 0.0f, 0.0f)), 3.0f);
    EXPECT_FLOAT_EQ(camera::cullingRadius(glm::vec3(2, 4, 6), glm::vec3(0.0f)),
                    std::sqrt(56.0f) * 0.5f + 1.0f);
    EXPECT_FLOAT_EQ(camera::cullingRadius(glm::vec3(1.0f), glm::vec3(1.0f)), 1.0f);
}

TEST(CameraCulling, SphereJustOutsideTheLeftPlane) {
    Plane planes[6];
    const glm::vec3 eye(0.0f), d(1.0f, 0.0f, 1.0f);
    camera::buildFrustum(planes, eye, d, glm::vec3(0, 1, 0), 4.0f / 3.0f);
    const float radius = camera::cullingRadius(glm::vec3(0.0f), glm::vec3(0.0f, 4.0f, 0.0f));
    const glm::vec3 ahead = eye + 40.0f * d;
    const glm::vec3& n = planes[3].normal;
    const auto outside = [&](float by) { return ahead - n * (signedDistance(planes[3], ahead) + by); };
    EXPECT_NEAR(signedDistance(planes[3], outside(2.9f)), -2.9f, 1e-3f);
    EXPECT_TRUE(camera::sphereVisible(planes, outside(2.9f), radius));
    EXPECT_FALSE(camera::sphereVisible(planes, outside(3.1f), radius));
    // Exactly at minus the radius is still drawn.
    Plane edge[6];
    edge[0].normal = glm::vec3(1, 0, 0);
    edge[0].distance = 0.0f;
    for (int i = 1; i < 4; ++i) {
        edge[i].normal = glm::vec3(0, 0, 1);
        edge[i].distance = 10.0f;
    }
    EXPECT_TRUE(camera::sphereVisible(edge, glm::vec3(-3.0f, 0.0f, 0.0f), 3.0f));
    EXPECT_FALSE(camera::sphereVisible(edge, glm::vec3(-3.01f, 0.0f, 0.0f), 3.0f));
}

TEST(CameraCulling, BehindAndBeyondAreCulledAboveAndBelowNever) {
    Plane planes[6];
    const glm::vec3 eye(-45.0f, 10.0f, -25.0f);
    const glm::vec3 d = camera::lookDirection(angles(30.0f, 0.0f));
    camera::buildFrustum(planes, eye, d, glm::vec3(0, 1, 0), 4.0f / 3.0f);
    EXPECT_FALSE(camera::sphereVisible(planes, eye - 5.0f * d, 1.0f));
    EXPECT_TRUE(camera::sphereVisible(planes, eye - 0.3f * d, 1.0f));  // within its radius
    EXPECT_FALSE(camera::sphereVisible(planes, eye + 210.0f * d, 1.0f));
    EXPECT_TRUE(camera::sphereVisible(planes, eye + 190.0f * d, 1.0f));
    EXPECT_TRUE(camera::sphereVisible(planes, eye + 20.0f * d + glm::vec3(0, 1000, 0), 1.0f));
    EXPECT_TRUE(camera::sphereVisible(planes, eye + 20.0f * d - glm::vec3(0, 1000, 0), 1.0f));
}

// --- Engine operations (no GL involved) -------------------------------------


TEST(CameraEngine, TheClockRunsTheSceneAtItsScaleAndWalkingKeepsTheRealOne) {
    EngineWithScene rig;
    Engine& engine = rig.engine;
    engine.cameraPosition = glm::vec3(-45.0f, 10.0f, -25.0f);
    engine.viewDirection = glm::vec3(1.0f, 0.0f, 1.0f);
    engine.advanceClock(0.5, 0.5f);
    engine.moveCamera(true, false, false, false, 0.5);
    engine.advanceClock(0.25, 0.5f);
    engine.moveCamera(false, false, false, false, 0.25);
    // The mouse turns after the move; the view is built from the turned
    // direction, the one culling and the particles take.
    engine.viewDirection = camera::lookDirection(angles(30.0f, -10.0f));
    engine.buildView();
    EXPECT_FLOAT_EQ(engine.frameTime, 0.25f);
    EXPECT_DOUBLE_EQ(engine.totalTime, 0.75);
    EXPECT_FLOAT_EQ(rig.scene->clock.frameTime, 0.125f);
    EXPECT_DOUBLE_EQ(rig.scene->clock.time, 0.375);
    expectNear(engine.cameraPosition, glm::vec3(-40.0f, 10.0f, -20.0f), 1e-5f);
    const glm::mat4 expected = glm::lookAt(engine.cameraPosition,
                                           engine.cameraPosition + 10.0f * engine.viewDirection,
                                           glm::vec3(0, 1, 0));
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_FLOAT_EQ(engine.viewMatrix[c][r], expected[c][r]);
}

TEST(CameraEngine, TourIgnoresTheMovementKeysAndFollowsTotalTime) {
    EngineWithScene rig;
    Engine& engine = rig.engine;
    engine.cameraTour = true;
    engine.totalTime = 10.0;
    engine.advanceClock(2.0, 1.0f);
    engine.moveCamera(true, false, true, false, 2.0);
    const camera::TourPose pose = camera::tourPose(12.0);
    expectNear(engine.cameraPosition, pose.position, 1e-5f);
    expectNear(engine.viewDirection, pose.direction, 1e-6f);
    expectNear(engine.cameraTarget, glm::vec3(-2.5f, 10.0f, 0.0f), 0.0f);
}

TEST(CameraEngine, UpdateFrustumUsesTheWindowAspect) {
    EngineWithScene rig;
    Engine& engine = rig.engine;
    engine.width = 800;
    engine.height = 600;
    engine.cameraPosition = glm::vec3(1.0f, 2.0f, 3.0f);
    engine.viewDirection = glm::vec3(1.0f, 0.0f, 1.0f);
    engine.updateFrustum();
    Plane expected[6];
    camera::buildFrustum(expected, engine.cameraPosition, engine.viewDirection,
                         glm::vec3(0, 1, 0), 800.0f / 600.0f);
    for (int i = 0; i < 4; ++i) {
        expectNear(engine.frustumPlanes[i].normal, expected[i].normal, 0.0f);
        EXPECT_FLOAT_EQ(engine.frustumPlanes[i].distance, expected[i].distance);
    }
}
