#include "game/Cuboid.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <set>

namespace {

void expectNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance = 1e-5f) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_NEAR(actual[c][r], expected[c][r], tolerance) << c << r;
}

glm::mat4 turnY(float degrees) {
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), glm::vec3(0.0f, 1.0f, 0.0f));
}

}  // namespace

TEST(Cuboid, TablesMakeAUnitCubeWithOutwardFaces) {
    const game::Cuboid cube(glm::vec3(0.0f));
    std::set<unsigned> used;
    for (int face = 0; face < 6; ++face) {
        const glm::vec3 normal = cube.normals[4 * face];
        EXPECT_FLOAT_EQ(glm::length(normal), 1.0f);
        for (int v = 4 * face; v < 4 * face + 4; ++v) {
            EXPECT_EQ(cube.normals[v], normal) << v;
            // Every corner of the face lies on its side of the unit cube.
            EXPECT_FLOAT_EQ(glm::dot(cube.positions[v], normal), 0.5f) << v;
            EXPECT_EQ(glm::abs(cube.positions[v]), glm::vec3(0.5f)) << v;
            EXPECT_TRUE(cube.uvs[v].x == 0.0f || cube.uvs[v].x == 1.0f);
        }
        for (int t = 0; t < 2; ++t) {
            const unsigned* tri = &cube.indices[6 * face + 3 * t];
            const glm::vec3 a = cube.positions[tri[0]];
            const glm::vec3 winding = glm::cross(cube.positions[tri[1]] - a, cube.positions[tri[2]] - a);
            EXPECT_GT(glm::dot(winding, normal), 0.0f) << "face " << face << " triangle " << t;
            for (int i = 0; i < 3; ++i) used.insert(tri[i]);
        }
    }
    EXPECT_EQ(used.size(), 24u);
    EXPECT_EQ(cube.indices[0], 0u);
    EXPECT_EQ(cube.indices[35], 23u);
    EXPECT_EQ(cube.shader, nullptr);
    EXPECT_EQ(cube.vertexArray.vao, 0u);
}

TEST(Cuboid, SpinsAQuarterTurnPerSecond) {
    game::Cuboid cube(glm::vec3(-5.0f, 7.5f, 0.0f));
    cube.update(1.0);
    expectNear(cube.spinMatrix, turnY(90.0f));
    cube.update(1.0);
    cube.update(1.0);
    cube.update(1.0);
    expectNear(cube.spinMatrix, glm::mat4(1.0f));

    cube.update(0.5);
    const glm::mat4 spin = cube.spinMatrix;
    expectNear(spin, turnY(45.0f));
    cube.setPosition(glm::vec3(1.0f, 2.0f, 3.0f));
    cube.update(0.0);
    expectNear(cube.spinMatrix, spin, 0.0f);
    expectNear(cube.modelMatrix,
               glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, 2.0f, -5.0f)) * spin);
}

TEST(Cuboid, StandsEightUnitsBehindItsPosition) {
    game::Cuboid cube(glm::vec3(-5.0f, 7.5f, 0.0f));
    expectNear(cube.modelMatrix, glm::mat4(1.0f), 0.0f);
    cube.update(0.0);
    const glm::vec4 centre = cube.modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(centre.x, -5.0f);
    EXPECT_FLOAT_EQ(centre.y, 7.5f);
    EXPECT_FLOAT_EQ(centre.z, -8.0f);
    // The spin turns the cube about its own centre, not about `position`.
    cube.update(1.0);
    const glm::vec4 turned = cube.modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(glm::distance(glm::vec3(turned), glm::vec3(-5.0f, 7.5f, -8.0f)), 0.0f, 1e-5f);
}

// Without a GL context any GL call would crash: these only print.
TEST(Cuboid, ShadowOperationsOnlyPrintTheirLine) {
    game::Cuboid cube(glm::vec3(0.0f));
    testing::internal::CaptureStdout();
    cube.drawOmniShadow();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "NOT IMPLEMENTED\n");
    testing::internal::CaptureStdout();
    cube.drawShadow(1, 2, 3);
    cube.placeholder();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "NOT IMPLEMENTED\n");
}

TEST(Cuboid, DrawWithoutEngineDoesNothing) {
    game::Cuboid cube(glm::vec3(0.0f));
    testing::internal::CaptureStdout();
    cube.draw();  // start-up never gives the cuboid an engine
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}
