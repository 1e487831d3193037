#include "game/Environment.h"

#include <gtest/gtest.h>

namespace {

void expectUpperPart(const glm::mat4& model, const glm::mat3& expected) {
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) EXPECT_NEAR(model[c][r], expected[c][r], 1e-4f) << c << r;
}

}  // namespace

TEST(Environment, SkyAtTheOriginIsFlippedScaledAndRaised) {
    const glm::mat4 model = environment::skyModelMatrix(glm::vec3(0.0f));
    expectUpperPart(model, glm::mat3(glm::vec3(-200, 0, 0), glm::vec3(0, 200, 0), glm::vec3(0, 0, -200)));
    EXPECT_EQ(model[3], glm::vec4(0.0f, 25.0f, 0.0f, 1.0f));
    EXPECT_EQ(model[0][3], 0.0f);
    EXPECT_EQ(model[2][3], 0.0f);
}

TEST(Environment, SkyMovesWithTheCameraButNeverTurns) {
    const glm::mat4 atOrigin = environment::skyModelMatrix(glm::vec3(0.0f));
    const glm::vec3 camera(-45.0f, 10.0f, -25.0f);
    const glm::mat4 moved = environment::skyModelMatrix(camera);
    EXPECT_EQ(moved[3], glm::vec4(-45.0f, 35.0f, -25.0f, 1.0f));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(moved[c], atOrigin[c]) << c;
    // A point of the box moves by exactly the camera's displacement.
    const glm::vec4 corner(0.5f, 0.5f, 0.5f, 1.0f);
    const glm::vec4 shift = moved * corner - atOrigin * corner;
    EXPECT_NEAR(shift.x, camera.x, 1e-3f);
    EXPECT_NEAR(shift.y, camera.y, 1e-3f);
    EXPECT_NEAR(shift.z, camera.z, 1e-3f);
}

TEST(Environment, SunQuadIsAUnitSquareAroundTheOrigin) {
    const std::array<float, 12> expected = {-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f,
                                            -0.5f, 0.5f,  0.0f, 0.5f, 0.5f,  0.0f};
    EXPECT_EQ(environment::kSunQuad, expected);
    EXPECT_EQ(sizeof(environment::kSunQuad), 48u);
}
