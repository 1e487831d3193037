#include <gtest/gtest.h>

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>
#include <vector>

#include "GraphicsEngine/Mesh.h"
#include "render/Lighting.h"
#include "support/PassFixture.h"

namespace {

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

int brightness(Rgba p) { return p.r + p.g + p.b; }

// A grey 40 x 40 floor seen from above, lit by the fire light; casters go
// into the cube only, so what the camera sees is the floor and its shadows.
class OmniShadow : public PassFixture {
protected:
    Mesh floor;

    void SetUp() override {
        PassFixture::SetUp();
        testmesh::quad(floor, program("default"), {-20, 0, 20}, {40, 0, 0}, {0, 0, -40}, 8.0f);
        floor.colorTexture = testmesh::solidTexture(120, 120, 120);
        lookAt({0, 30, 0}, {0, 0, 0}, {0, 0, -1});
    }
    void TearDown() override {
        floor.release();
        PassFixture::TearDown();
    }
    std::vector<Rgba> drawFloor() {
        clearWindow();
        renderLit(floor);
        std::vector<Rgba> pixels(kSize * kSize);
        glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    // One face of the cube as stored distances (distance / far).
    std::vector<float> cubeFace(int face) {
        std::vector<float> depth(static_cast<size_t>(engine.shadowCubeWidth) * engine.shadowCubeHeight);
        glBindTexture(GL_TEXTURE_CUBE_MAP, engine.shadowCubeTexture);
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                      depth.data());
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
        return depth;
    }
};

}  // namespace

TEST_F(OmniShadow, LeavesTheDefaultFramebufferAndNothingBound) {
    Mesh wall;
    testmesh::quad(wall, program("default"), {5, -2, 2}, {0, 4, 0}, {0, 0, -4});
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_CUBE_MAP, engine.shadowCubeTexture);
    renderCube({&wall});
    const GLuint id = program("shadowOmni")->program;
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_CUBE_MAP), 0);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), static_cast<GLint>(id));

    // The light's own face matrices, built on a copy: the scene's light is untouched.
    EXPECT_TRUE(light().faceMatrices.empty());
    PointLight copy = light();
    copy.computeFaceMatrices();
    for (unsigned i = 0; i < 6; ++i) {
        glm::mat4 sent(0.0f);
        glGetUniformfv(id, glGetUniformLocation(id, lighting::cubeFaceUniform(i).c_str()),
                       glm::value_ptr(sent));
        EXPECT_EQ(sent, copy.faceMatrices[i]) << "face " << i;
    }
    glm::vec4 position(0.0f);
    glGetUniformfv(id, glGetUniformLocation(id, "l_pos"), glm::value_ptr(position));
    EXPECT_EQ(position, glm::vec4(0.0f, 5.0f, 0.0f, 1.0f));
    // near_far is sent as well, but the cube keeps the projected depth, so
    // this program has no use for it (the lit program reads it).
    EXPECT_EQ(glGetUniformLocation(id, "near_far"), -1);
    wall.release();
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(OmniShadow, StoresProjectedDepthOnlyInTheFacesATriangleTouches) {
    // A wall 5 units along +x from the light, inside face 0 only.
    Mesh wall;
    light().Position = glm::vec3(0.0f);
    testmesh::quad(wall, program("default"), {5, -2, 2}, {0, 4, 0}, {0, 0, -4});
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    renderCube({&wall});
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint primitives = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    EXPECT_EQ(primitives, 2u);  // two triangles, one face each; not 2 x 6

    const std::vector<float> face0 = cubeFace(0);
    const size_t centre = 512 * 1024 + 512;
    // The face's projected depth at distance 5 with near 1 and far 100.
    EXPECT_NEAR(face0[centre], 100.0f / 99.0f * (1.0f - 1.0f / 5.0f), 0.002f);
    EXPECT_NEAR(face0[0], 1.0f, 1e-4f);  // the corner looks past the wall
    for (int face = 1; face < 6; ++face) {
        const std::vector<float> other = cubeFace(face);
        EXPECT_NEAR(other[centre], 1.0f, 1e-4f) << "face " << face;
    }

    // A wall that crosses the +x/+y edge lands in both faces.
    Mesh corner;
    testmesh::quad(corner, program("default"), {5, 3, 2}, {0, 4, 0}, {0, 0, -4});
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    renderCube({&corner});
    glEndQuery(GL_PRIMITIVES_GENERATED);
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    EXPECT_EQ(primitives, 4u);
    glDeleteQueries(1, &query);
    wall.release();
    corner.release();
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(OmniShadow, AnOccluderDarkensTheFloorBelowItAndNothingElse) {
    Mesh blocker;  // 2 x 2, half way between the light (y 5) and the floor
    testmesh::quad(blocker, program("default"), {-1, 2.5f, 1}, {2, 0, 0}, {0, 0, -2});
    clearCube();
    const std::vector<Rgba> open = drawFloor();
    renderCube({&blocker, &floor});
    const std::vector<Rgba> shaded = drawFloor();

    const Rgba under = pixelAt({0, 0, 0});
    const glm::ivec2 c = pixelOf({0, 0, 0});
    EXPECT_LT(brightness(under) * 6, brightness(open[c.y * kSize + c.x]));
    // The shadow is about 4 x 4 (the blocker doubled); outside it nothing
    // changes: no acne on the floor that shadows only itself.
    int changed = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 ndc = (glm::vec2(x, y) + 0.5f) / float(kSize) * 2.0f - 1.0f;
            const float halfWidth = 30.0f * 0.57735f;  // tan 30 degrees at height 30
            const glm::vec2 world = ndc * halfWidth;
            if (std::abs(world.x) < 3.0f && std::abs(world.y) < 3.0f) continue;
            const int i = y * kSize + x;
            if (std::abs(brightness(open[i]) - brightness(shaded[i])) > 6) ++changed;
        }
    }
    EXPECT_EQ(changed, 0);
    blocker.release();
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(OmniShadow, NoAcneAtGrazingLightAndContactShadowsStayAttached) {
    // The light low over the floor: the floor meets it at grazing angles.
    light().Position = glm::vec3(-6.0f, 1.5f, 0.0f);
    clearCube();
    const std::vector<Rgba> open = drawFloor();
    renderCube({&floor});
    const std::vector<Rgba> self = drawFloor();
    int changed = 0;
    for (size_t i = 0; i < open.size(); ++i) {
        if (std::abs(brightness(open[i]) - brightness(self[i])) > 6) ++changed;
    }
    EXPECT_EQ(changed, 0);

    // A box standing on the floor: its shadow starts right at its far side.
    light().Position = glm::vec3(-6.0f, 4.0f, 0.0f);
    Mesh box;
    testmesh::box(box, program("default"), {0, 0, -1}, {2, 3, 1});
    clearCube();
    drawFloor();
    const Rgba litBehind = pixelAt({2.3f, 0, 0});
    const Rgba litFront = pixelAt({-0.3f, 0, 0});
    renderCube({&box, &floor});
    drawFloor();
    EXPECT_LT(brightness(pixelAt({2.3f, 0, 0})) * 4, brightness(litBehind));  // attached
    EXPECT_LT(brightness(pixelAt({4.0f, 0, 0})) * 4, brightness(litBehind));
    EXPECT_NEAR(brightness(pixelAt({-0.3f, 0, 0})), brightness(litFront), 6);  // light side
    EXPECT_GT(brightness(pixelAt({2.3f, 0, 4.0f})), 60);  // beside the shadow
    box.release();
    EXPECT_TRUE(context.errors().empty());
}

// Both shadow passes look their program up without inserting an empty entry:
// with the program missing they draw nothing and leave the registry as it was.
TEST_F(OmniShadow, AMissingProgramDrawsNothingAndAddsNoEntry) {
    Mesh wall;
    testmesh::quad(wall, program("default"), {5, -2, 2}, {0, 4, 0}, {0, 0, -4});
    clearCube();
    engine.shaders.erase("shadowOmni");
    engine.shaders.erase("shadow");
    const size_t programs = engine.shaders.size();
    engine.renderOmniShadow(wall, glm::mat4(1.0f));
    engine.renderShadow(wall, nullptr, glm::mat4(1.0f));
    EXPECT_EQ(engine.shaders.size(), programs);
    EXPECT_EQ(engine.shaders.count("shadowOmni"), 0u);
    const std::vector<float> face = cubeFace(0);
    EXPECT_EQ(*std::min_element(face.begin(), face.end()), 1.0f);
    wall.release();
    EXPECT_TRUE(context.errors().empty());
}
