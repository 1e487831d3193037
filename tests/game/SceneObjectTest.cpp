#include "game/SceneObject.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/Engine.h"
#include "game/Cuboid.h"
#include "game/StaticObject.h"

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

// A 2 x 4 x 6 box standing on the origin, its object at that point.
game::StaticObject makeObject() {
    const BoundingBox box(glm::vec3(-1.0f, 0.0f, -3.0f), glm::vec3(1.0f, 4.0f, 3.0f));
    return game::StaticObject(3, 7, box, glm::vec3(0.0f), glm::vec3(0.0f), 0.5f, 0.1f, "m.obj",
                              "c.jpg");
}

}  // namespace

TEST(SceneObject, NewObjectsStartUnturnedWithoutEngine) {
    game::StaticObject object = makeObject();
    EXPECT_EQ(object.getKind(), 3);
    EXPECT_EQ(object.objectId, 7);
    EXPECT_EQ(object.state, 0);
    EXPECT_EQ(object.engine, nullptr);
    expectNear(object.rotationMatrix, glm::mat4(1.0f), 0.0f);
    expectNear(object.boundingBox.maxCorner, {1.0f, 4.0f, 3.0f}, 0.0f);

    const game::Cuboid cuboid(glm::vec3(-5.0f, 7.5f, 0.0f));
    EXPECT_EQ(cuboid.getKind(), 9);
    EXPECT_EQ(cuboid.objectId, 100);
    EXPECT_EQ(cuboid.state, 0);
    EXPECT_EQ(cuboid.engine, nullptr);
    expectNear(cuboid.position, {-5.0f, 7.5f, 0.0f}, 0.0f);
    expectNear(cuboid.boundingBox.minCorner, glm::vec3(0.0f), 0.0f);
    expectNear(cuboid.boundingBox.maxCorner, glm::vec3(0.0f), 0.0f);
    expectNear(cuboid.rotationAngles, glm::vec3(0.0f), 0.0f);
}

TEST(SceneObject, ZeroTurnAndTurnBackLeaveEverythingAsItWas) {
    game::StaticObject object = makeObject();
    const BoundingBox before = object.boundingBox;
    object.turnAboutY(0.0f);
    expectNear(object.rotationMatrix, glm::mat4(1.0f), 0.0f);
    expectNear(object.boundingBox.edgeX, before.edgeX, 0.0f);
    expectNear(object.boundingBox.minCorner, before.minCorner, 0.0f);

    object.turnAboutY(90.0f);
    expectNear(object.rotationMatrix * glm::vec4(1, 0, 0, 0), {0.0f, 0.0f, -1.0f});
    expectNear(object.boundingBox.edgeX, {0.0f, 0.0f, -2.0f});
    object.turnAboutY(-90.0f);
    expectNear(object.rotationMatrix, glm::mat4(1.0f));
    expectNear(object.boundingBox.edgeX, before.edgeX);
    expectNear(object.boundingBox.edgeZ, before.edgeZ);
    expectNear(object.boundingBox.minCorner, before.minCorner);
    expectNear(object.boundingBox.maxCorner, before.maxCorner);
}

TEST(SceneObject, LaterTurnsFollowTheTurnedEdges) {
    game::StaticObject object = makeObject();
    object.turnAboutX(90.0f);
    // edgeY now points along the former z direction.
    expectNear(glm::normalize(object.boundingBox.edgeY), {0.0f, 0.0f, 1.0f});
    object.turnAboutY(90.0f);
    // The second turn is about world z, applied after the first.
    const glm::mat4 expected =
        glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(0, 0, 1)) *
        glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(1, 0, 0));
    expectNear(object.rotationMatrix, expected);
    // The box turned the same way as the object.
    expectNear(object.boundingBox.edgeX, glm::vec3(expected * glm::vec4(2, 0, 0, 0)));
    expectNear(object.boundingBox.edgeZ, glm::vec3(expected * glm::vec4(0, 0, 6, 0)));

    object.turnAboutZ(90.0f);
    const glm::vec3 axis = glm::vec3(expected * glm::vec4(0, 0, 1, 0));
    expectNear(object.rotationMatrix,
               glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), axis) * expected);
}

TEST(SceneObject, FlatBoxGivesNoAxisAndTheTurnIsSkipped) {
    game::Cuboid cuboid(glm::vec3(0.0f));
    cuboid.turnAboutY(45.0f);
    cuboid.turnAboutX(30.0f);
    cuboid.turnAboutZ(10.0f);
    expectNear(cuboid.rotationMatrix, glm::mat4(1.0f), 0.0f);
    expectNear(cuboid.boundingBox.maxCorner, glm::vec3(0.0f), 0.0f);
}

TEST(SceneObject, SetPositionAndSetEngineTouchNothingElse) {
    game::StaticObject object = makeObject();
    const glm::vec3 centre = object.boundingBox.center;
    object.setPosition(glm::vec3(10.0f, 2.0f, -4.0f));
    expectNear(object.position, {10.0f, 2.0f, -4.0f}, 0.0f);
    expectNear(object.boundingBox.center, centre, 0.0f);
    Engine engine;
    object.setEngine(&engine);
    EXPECT_EQ(object.engine, &engine);
    expectNear(object.rotationMatrix, glm::mat4(1.0f), 0.0f);
}
