#include "render/FrameRules.h"

#include <gtest/gtest.h>

#include "game/Camera.h"
#include "game/SceneObject.h"

namespace {

// A scene object that only carries what the frame reads.
class Probe : public game::SceneObject {
public:
    Probe(int kind, glm::vec3 low, glm::vec3 high, glm::vec3 position)
        : SceneObject(kind, 0, BoundingBox(low, high), position) {}
    void update(double) override {}
    void draw() override {}
    void drawShadow(int, int, int) override {}
    void drawOmniShadow() override {}
    void placeholder() override {}
    void init(graph::Shader*) override {}
};

// Near, far and right planes far away; the left plane is x = 0 (inside: x > 0).
struct Planes {
    Plane planes[6];
    Planes() {
        for (Plane& plane : planes) {
            plane.normal = glm::vec3(0.0f, 0.0f, 1.0f);
            plane.distance = 1000.0f;
        }
        planes[3].normal = glm::vec3(1.0f, 0.0f, 0.0f);
        planes[3].distance = 0.0f;
    }
};

// A box whose diagonal is 4, so its sphere has radius 3.
Probe boxAt(float x, int kind = 3) {
    return Probe(kind, {0, 0, 0}, {0, 0, 4}, {x, 0, 0});
}

}  // namespace

TEST(FrameRules, SphereRadiusIsHalfTheDiagonalPlusOne) {
    Planes p;
    EXPECT_TRUE(frame::shouldDraw(boxAt(-2.9f), true, p.planes));
    EXPECT_TRUE(frame::shouldDraw(boxAt(-3.0f), true, p.planes));  // equality is not culled
    EXPECT_FALSE(frame::shouldDraw(boxAt(-3.1f), true, p.planes));
    EXPECT_TRUE(frame::shouldDraw(boxAt(5.0f), true, p.planes));
}

TEST(FrameRules, CullingOffAndKindsSixAndSevenSkipTheTest) {
    Planes p;
    EXPECT_TRUE(frame::shouldDraw(boxAt(-50.0f), false, p.planes));
    EXPECT_TRUE(frame::shouldDraw(boxAt(-50.0f, 6), true, p.planes));
    EXPECT_TRUE(frame::shouldDraw(boxAt(-50.0f, 7), true, p.planes));
    EXPECT_FALSE(frame::shouldDraw(boxAt(-50.0f, 5), true, p.planes));
}

TEST(FrameRules, StateFourIsNeverUpdatedOrDrawn) {
    Planes p;
    Probe sleeping = boxAt(5.0f, 7);
    EXPECT_TRUE(frame::isActive(sleeping));
    sleeping.state = 4;
    EXPECT_FALSE(frame::isActive(sleeping));
    EXPECT_FALSE(frame::shouldDraw(sleeping, false, p.planes));
    EXPECT_FALSE(frame::shouldDraw(sleeping, true, p.planes));
    sleeping.state = 3;
    EXPECT_TRUE(frame::isActive(sleeping));
}

TEST(FrameRules, OnlyTheFirstFourPlanesCount) {
    Planes p;
    // Top and bottom planes that would cull everything are not consulted.
    p.planes[4].normal = glm::vec3(0.0f, -1.0f, 0.0f);
    p.planes[4].distance = -1000.0f;
    p.planes[5] = p.planes[4];
    EXPECT_TRUE(frame::shouldDraw(boxAt(1.0f), true, p.planes));
}

TEST(FrameRules, RealFrustumCullsBehindTheCameraAndKeepsHighObjects) {
    Plane planes[6];
    const glm::vec3 eye(0.0f, 10.0f, 0.0f);
    camera::buildFrustum(planes, eye, glm::vec3(1.0f, 0.0f, 1.0f), glm::vec3(0.0f, 1.0f, 0.0f),
                         4.0f / 3.0f);
    const glm::vec3 low(-3.0f, 0.0f, -3.0f), high(3.0f, 9.0f, 3.0f);  // radius about 6.8
    EXPECT_TRUE(frame::shouldDraw(Probe(3, low, high, {30, 0, 30}), true, planes));
    EXPECT_FALSE(frame::shouldDraw(Probe(3, low, high, {-30, 0, -30}), true, planes));
    EXPECT_TRUE(frame::shouldDraw(Probe(3, low, high, {-30, 0, -30}), false, planes));
    // Far above but straight ahead: no top plane, so drawn.
    EXPECT_TRUE(frame::shouldDraw(Probe(3, low, high, {30, 500, 30}), true, planes));
}
