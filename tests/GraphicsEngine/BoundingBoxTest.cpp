#include "GraphicsEngine/BoundingBox.h"

#include <gtest/gtest.h>

#include <glm/glm.hpp>

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectSameBox(const BoundingBox& a, const BoundingBox& b, float tolerance) {
    expectNear(a.center, b.center, tolerance);
    expectNear(a.edgeX, b.edgeX, tolerance);
    expectNear(a.edgeY, b.edgeY, tolerance);
    expectNear(a.edgeZ, b.edgeZ, tolerance);
    expectNear(a.minCorner, b.minCorner, tolerance);
    expectNear(a.maxCorner, b.maxCorner, tolerance);
}

float diagonal(const BoundingBox& box) { return glm::length(box.maxCorner - box.minCorner); }

}  // namespace

TEST(BoundingBox, DefaultIsAllZeros) {
    const BoundingBox box;
    expectNear(box.center, glm::vec3(0.0f));
    expectNear(box.minCorner, glm::vec3(0.0f));
    expectNear(box.maxCorner, glm::vec3(0.0f));
    EXPECT_EQ(diagonal(box), 0.0f);
}

TEST(BoundingBox, SpansTheTwoCorners) {
    const BoundingBox box(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    expectNear(box.center, {1.0f, 2.0f, 3.0f});
    expectNear(box.edgeX, {2.0f, 0.0f, 0.0f});
    expectNear(box.edgeY, {0.0f, 4.0f, 0.0f});
    expectNear(box.edgeZ, {0.0f, 0.0f, 6.0f});
    expectNear(box.minCorner, {0.0f, 0.0f, 0.0f});
    expectNear(box.maxCorner, {2.0f, 4.0f, 6.0f});

    const BoundingBox offset(glm::vec3(-3.0f, 1.0f, 2.0f), glm::vec3(-1.0f, 2.0f, 5.0f));
    expectNear(offset.center, {-2.0f, 1.5f, 3.5f});
    expectNear(offset.minCorner, {-3.0f, 1.0f, 2.0f});
    expectNear(offset.maxCorner, {-1.0f, 2.0f, 5.0f});
}

TEST(BoundingBox, QuarterTurnAboutEdgeYTakesDegrees) {
    BoundingBox box(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    box.rotateAboutY(90.0f);
    expectNear(box.center, {1.0f, 2.0f, 3.0f});
    expectNear(box.edgeY, {0.0f, 4.0f, 0.0f});
    expectNear(box.edgeX, {0.0f, 0.0f, -2.0f});
    expectNear(box.edgeZ, {6.0f, 0.0f, 0.0f});
    expectNear(box.minCorner, {-2.0f, 0.0f, 4.0f});
    expectNear(box.maxCorner, {4.0f, 4.0f, 2.0f});
}

TEST(BoundingBox, QuarterTurnsAboutEdgesXAndZKeepTheirAxis) {
    BoundingBox aboutX(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    aboutX.rotateAboutX(90.0f);
    expectNear(aboutX.edgeX, {2.0f, 0.0f, 0.0f});
    expectNear(aboutX.edgeY, {0.0f, 0.0f, 4.0f});
    expectNear(aboutX.edgeZ, {0.0f, -6.0f, 0.0f});
    expectNear(aboutX.center, {1.0f, 2.0f, 3.0f});

    BoundingBox aboutZ(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    aboutZ.rotateAboutZ(90.0f);
    expectNear(aboutZ.edgeZ, {0.0f, 0.0f, 6.0f});
    expectNear(aboutZ.edgeX, {0.0f, 2.0f, 0.0f});
    expectNear(aboutZ.edgeY, {-4.0f, 0.0f, 0.0f});
}

TEST(BoundingBox, ZeroAndFullTurnsLeaveTheBox) {
    const BoundingBox original(glm::vec3(-1.0f, 0.5f, 2.0f), glm::vec3(3.0f, 2.0f, 7.0f));
    BoundingBox box = original;
    box.rotateAboutX(0.0f);
    box.rotateAboutY(0.0f);
    box.rotateAboutZ(0.0f);
    expectSameBox(box, original, 0.0f);

    box.rotateAboutY(360.0f);
    box.rotateAboutX(360.0f);
    box.rotateAboutZ(360.0f);
    expectSameBox(box, original, 1e-4f);
}

TEST(BoundingBox, TurnsKeepTheDiagonalAndCentre) {
    BoundingBox box(glm::vec3(0.0f), glm::vec3(2.0f, 4.0f, 6.0f));
    const float length = diagonal(box);
    const float angles[] = {17.0f, -45.0f, 123.5f, 0.25f};
    for (float degrees : angles) {
        box.rotateAboutY(degrees);
        box.rotateAboutX(degrees * 0.5f);
        box.rotateAboutZ(-degrees);
        EXPECT_NEAR(diagonal(box), length, 1e-4f) << degrees;
        expectNear(box.center, {1.0f, 2.0f, 3.0f});
        expectNear(0.5f * (box.minCorner + box.maxCorner), box.center, 1e-4f);
    }
}

TEST(BoundingBox, TurnAboutAZeroEdgeLeavesAFlatBoxIntact) {
    // A flat box (no height) has no edgeY direction to turn about.
    const BoundingBox original(glm::vec3(0.0f), glm::vec3(2.0f, 0.0f, 6.0f));
    BoundingBox box = original;
    box.rotateAboutY(30.0f);
    expectSameBox(box, original, 0.0f);
    box.rotateAboutX(90.0f);
    expectNear(box.edgeZ, {0.0f, -6.0f, 0.0f});
    EXPECT_FALSE(glm::any(glm::isnan(box.minCorner)));
}
