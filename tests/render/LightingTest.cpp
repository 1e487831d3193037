#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "game/PointLight.h"
#include "render/Lighting.h"

namespace {

glm::vec4 faceClip(const glm::mat4& face, glm::vec3 point) { return face * glm::vec4(point, 1.0f); }

}  // namespace

TEST(FaceMatrices, FaceZeroLooksDownPlusXWithTheCubeMapAxes) {
    PointLight light;
    light.computeFaceMatrices();
    EXPECT_FLOAT_EQ(light.nearPlane, 1.0f);
    EXPECT_FLOAT_EQ(light.farPlane, 100.0f);
    ASSERT_EQ(light.getFaceMatrices().size(), 6u);

    // P · R with R's rows (0,0,-1), (0,-1,0), (-1,0,0): column-major m[col][row].
    const glm::mat4 face0 = light.faceMatrices[0];
    EXPECT_NEAR(face0[2][0], -1.0f, 1e-6f);   // x row reads -z
    EXPECT_NEAR(face0[1][1], -1.0f, 1e-6f);   // y row reads -y
    EXPECT_NEAR(face0[0][2], 1.020202f, 1e-5f);  // depth row: -(f+n)/(f-n) · (-x)
    EXPECT_NEAR(face0[3][2], -2.020202f, 1e-5f);
    EXPECT_NEAR(face0[0][3], 1.0f, 1e-6f);    // w = distance along +x

    const glm::vec4 centre = faceClip(face0, {1, 0, 0});
    EXPECT_NEAR(centre.x, 0.0f, 1e-6f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-6f);
}

TEST(FaceMatrices, DepthRunsFromNearToFarAndEveryFaceCentresItsAxis) {
    PointLight light;
    light.Position = glm::vec3(0.0f);
    light.computeFaceMatrices();
    const glm::vec3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int i = 0; i < 6; ++i) {
        const glm::vec4 nearPoint = faceClip(light.faceMatrices[i], axes[i]);
        const glm::vec4 farPoint = faceClip(light.faceMatrices[i], axes[i] * 100.0f);
        EXPECT_NEAR(nearPoint.z / nearPoint.w, -1.0f, 1e-5f) << "face " << i;
        EXPECT_NEAR(farPoint.z / farPoint.w, 1.0f, 1e-5f) << "face " << i;
        EXPECT_NEAR(nearPoint.x, 0.0f, 1e-6f);
        EXPECT_NEAR(nearPoint.y, 0.0f, 1e-6f);
    }
}

TEST(FaceMatrices, RecomputingKeepsSixAndFollowsThePosition) {
    PointLight light;
    light.Position = glm::vec3(-2.5f, 12.0f, 0.0f);
    light.computeFaceMatrices();
    light.computeFaceMatrices();
    ASSERT_EQ(light.faceMatrices.size(), 6u);
    const glm::vec4 centre = faceClip(light.faceMatrices[4], light.Position + glm::vec3(0, 0, 5));
    EXPECT_NEAR(centre.x, 0.0f, 1e-5f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-5f);
    EXPECT_NEAR(centre.w, 5.0f, 1e-5f);
}

TEST(Flicker, StartsAtFourStaysInRangeAndRepeatsEveryTwoSeconds) {
    EXPECT_FLOAT_EQ(lighting::flicker(0.0), 4.0f);
    for (double t = 0.0; t < 4.0; t += 0.01) {
        const float value = lighting::flicker(t);
        EXPECT_GE(value, 3.25f);
        EXPECT_LE(value, 4.75f);
        EXPECT_NEAR(value, lighting::flicker(t + 2.0), 1e-5f);
    }
    EXPECT_NE(lighting::flicker(0.25), lighting::flicker(0.75));
}

TEST(SunMatrices, OrthographicBoxEntries) {
    const glm::mat4 p = lighting::sunProjection();
    EXPECT_NEAR(p[0][0], 0.0078125f, 1e-8f);
    EXPECT_NEAR(p[1][1], 0.010416667f, 1e-8f);
    EXPECT_NEAR(p[2][2], -0.013513514f, 1e-8f);
    EXPECT_NEAR(p[3][2], -0.7297297f, 1e-6f);
    EXPECT_FLOAT_EQ(p[3][0], 0.0f);
    EXPECT_FLOAT_EQ(p[3][1], 0.0f);
    EXPECT_FLOAT_EQ(p[3][3], 1.0f);
    EXPECT_FLOAT_EQ(p[0][1], 0.0f);
}

TEST(SunMatrices, TheBoxMovesWithTheCamera) {
    const glm::vec3 sun = glm::normalize(glm::vec3(0.3016f, -0.6255f, 1.0f));
    const glm::vec3 camera(10.0f, 5.0f, -3.0f), shift(4.0f, 1.0f, -7.0f);
    const glm::mat4 before = lighting::sunView(camera, sun);
    const glm::mat4 after = lighting::sunView(camera + shift, sun);
    // A point that moves with the camera keeps its light-space coordinates.
    const glm::vec3 point(1.0f, 2.0f, 3.0f);
    const glm::vec4 a = before * glm::vec4(point, 1.0f);
    const glm::vec4 b = after * glm::vec4(point + shift, 1.0f);
    EXPECT_NEAR(a.x, b.x, 1e-4f);
    EXPECT_NEAR(a.y, b.y, 1e-4f);
    EXPECT_NEAR(a.z, b.z, 1e-4f);
    // The camera sits one unit along the view axis from the eye.
    const glm::vec4 eyeSpace = before * glm::vec4(camera, 1.0f);
    EXPECT_NEAR(eyeSpace.z, -1.0f, 1e-5f);
}

TEST(SunMatrices, LitMatrixIsTheBiasTimesTheDepthPassMatrix) {
    const glm::vec3 sun = glm::normalize(glm::vec3(0.3016f, -0.6255f, 1.0f));
    const glm::vec3 camera(-45.0f, 10.0f, -25.0f);
    const glm::mat4 bias(0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.5f, 0, 0.5f, 0.5f, 0.5f, 1.0f);
    const glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(-2.5f, 3.0f, 0.0f));
    EXPECT_EQ(lighting::biasedSunDepthMvp(bias, camera, sun, model),
              bias * lighting::sunDepthMvp(camera, sun, model));
    // The ground (identity model) gets bias · projection · view.
    EXPECT_EQ(lighting::biasedSunDepthMvp(bias, camera, sun, glm::mat4(1.0f)),
              bias * lighting::sunProjection() * lighting::sunView(camera, sun));
    // The camera itself lands in the middle of the map.
    const glm::vec4 centre = lighting::biasedSunDepthMvp(bias, camera, sun, glm::mat4(1.0f)) *
                             glm::vec4(camera, 1.0f);
    EXPECT_NEAR(centre.x, 0.5f, 1e-5f);
    EXPECT_NEAR(centre.y, 0.5f, 1e-5f);
}

TEST(UniformNames, PointLightMembersAndCubeFaces) {
    EXPECT_EQ(lighting::pointLightUniform(0, "Color"), "pointLights[0].Color");
    EXPECT_EQ(lighting::pointLightUniform(12, "ExpAtt"), "pointLights[12].ExpAtt");
    EXPECT_EQ(lighting::cubeFaceUniform(0), "cm_mat[0]");
    EXPECT_EQ(lighting::cubeFaceUniform(5), "cm_mat[5]");
}
