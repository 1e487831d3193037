#include <gtest/gtest.h>

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>
#include <string>
#include <vector>

#include "GraphicsEngine/Mesh.h"
#include "render/Lighting.h"
#include "support/CubeDepths.h"
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

    explicit OmniShadow(bool es = false) : PassFixture(es) {}

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
    // The test of this name, for either back end's cube.
    void occluderDarkensTheFloorBelowItAndNothingElse() {
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
    // Draws `mesh` into the cube with the cube bound on texture unit 3 and
    // checks what the pass leaves: the default framebuffer, no vertex array,
    // unit 3 active with no cube on it, and the omni program, which it returns.
    GLuint renderLeavingNothingBound(Mesh& mesh) {
        glActiveTexture(GL_TEXTURE3);
        glBindTexture(GL_TEXTURE_CUBE_MAP, engine.shadowCubeTexture);
        renderCube({&mesh});
        const GLuint id = program("shadowOmni")->program;
        EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
        EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
        EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
        EXPECT_EQ(integer(GL_TEXTURE_BINDING_CUBE_MAP), 0);
        EXPECT_EQ(integer(GL_CURRENT_PROGRAM), static_cast<GLint>(id));
        return id;
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
    const GLuint id = renderLeavingNothingBound(wall);

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
    occluderDarkensTheFloorBelowItAndNothingElse();
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

// --- OpenGL ES 3.0 (--gles): no geometry stage, so the ES back end draws the
// cube in six passes, one face and one framebuffer each, every caster into a
// face before the next.

namespace {

constexpr unsigned kDepthOne = (1u << 24) - 1;  // readCubeDepths' depth 1
constexpr size_t kFaceTexels = 1024u * 1024u;
constexpr size_t kCentre = 512u * 1024u + 512u;

class EsOmniShadow : public OmniShadow {
protected:
    EsOmniShadow() : OmniShadow(true) {}
    std::vector<unsigned> cube() { return readCubeDepths(engine.shadowCubeTexture, 1024, true); }
};

}  // namespace

TEST_F(EsOmniShadow, SixPassesSetTheFaceMatrixAloneAndStoreOnlyTheFacesTouched) {
    Mesh wall;  // 5 units along +x from the light, inside face 0 only
    light().Position = glm::vec3(0.0f);
    testmesh::quad(wall, program("default"), {5, -2, 2}, {0, 4, 0}, {0, 0, -4});
    const GLuint id = renderLeavingNothingBound(wall);
    // The last pass drew face 5 through its own matrix; the desktop's six
    // and its light are not in this program (skipped, no GL error).
    PointLight copy = light();
    copy.computeFaceMatrices();
    glm::mat4 sent(0.0f);
    glGetUniformfv(id, glGetUniformLocation(id, "faceMatrix"), glm::value_ptr(sent));
    EXPECT_EQ(sent, copy.faceMatrices[5]);
    EXPECT_EQ(glGetUniformLocation(id, lighting::cubeFaceUniform(0).c_str()), -1);
    EXPECT_EQ(glGetUniformLocation(id, "l_pos"), -1);
    EXPECT_TRUE(light().faceMatrices.empty());  // the scene's light untouched

    const std::vector<unsigned> depths = cube();
    const float projected = 100.0f / 99.0f * (1.0f - 1.0f / 5.0f);
    EXPECT_NEAR(depths[kCentre] / float(kDepthOne), projected, 0.002f);
    EXPECT_EQ(depths[0], kDepthOne);  // the corner looks past the wall
    for (int face = 1; face < 6; ++face) {
        EXPECT_EQ(depths[face * kFaceTexels + kCentre], kDepthOne) << "face " << face;
    }
    wall.release();
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(EsOmniShadow, AnOccluderDarkensTheFloorBelowItAndNothingElse) {
    occluderDarkensTheFloorBelowItAndNothingElse();
}

// The frame's pass: the static casters' cube drawn in six passes, blitted
// into the frame's face by face, and with casters off every face cleared.
TEST_F(EsOmniShadow, TheFramesCubeIsTheStaticOneBlittedAndClearedOnEveryFace) {
    Mesh box;
    testmesh::box(box, program("default"), {2, 0, -1}, {4, 3, 1});
    renderCube({&box, &floor});
    const std::vector<unsigned> drawn = cube();
    clearCube();

    ASSERT_EQ(scene->groundMesh.indexCount, 0u);  // no ground model here: the box and floor stand in
    testmesh::box(scene->groundMesh, program("default"), {2, 0, -1}, {4, 3, 1});
    const std::vector<game::SceneObject*> none;
    engine.renderShadowCube(none);
    EXPECT_EQ(render.staticShadowCube.fills, 1);
    EXPECT_FALSE(render.staticShadowCube.copiesImages);
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(render.staticShadowCube.drawTarget, engine.shadowCubeFramebuffer);
    EXPECT_EQ(render.staticShadowCube.drawFace, -1);
    const std::vector<unsigned> framed = cube();
    renderCube({&box});
    EXPECT_TRUE(framed == cube());  // copied exactly
    EXPECT_EQ(readCubeDepths(render.staticShadowCube.texture, 1024, true), framed);
    EXPECT_FALSE(framed == drawn);   // without the floor

    render.shadowCasters = false;
    engine.renderShadowCube(none);
    const std::vector<unsigned> cleared = cube();
    EXPECT_EQ(std::count(cleared.begin(), cleared.end(), kDepthOne),
              static_cast<long>(cleared.size()));
    box.release();
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

// Both back ends draw the same cube: the same casters through the desktop's
// layered pass and ES's six, each in a context of its own, read back alike.
TEST(OmniShadowOnBothBackEnds, EsSixPassesStoreTheDesktopCubesDepths) {
    const auto cubeOf = [](bool es) {
        PassRig rig(es);
        rig.setUp();
        graph::Shader* program = rig.program("default");
        Mesh floor, blocker, box, corner, tilted;
        testmesh::quad(floor, program, {-20, 0, 20}, {40, 0, 0}, {0, 0, -40});
        testmesh::quad(blocker, program, {-1, 2.5f, 1}, {2, 0, 0}, {0, 0, -2});
        testmesh::box(box, program, {3, 0, -1}, {5, 3, 1});
        testmesh::quad(corner, program, {-6, 3, -2}, {0, 4, 0}, {0, 0, 4});  // across two faces
        testmesh::quad(tilted, program, {-3.7f, 1.3f, 2.9f}, {2.3f, 1.1f, -0.7f},
                       {0.4f, -0.9f, -3.1f});  // no coordinate a round number
        rig.renderCube({&floor, &blocker, &box, &corner, &tilted});
        std::vector<unsigned> depths = readCubeDepths(rig.engine.shadowCubeTexture, 1024, es);
        const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        EXPECT_EQ(std::string(version).rfind("OpenGL ES", 0) == 0, es) << version;
        for (Mesh* mesh : {&floor, &blocker, &box, &corner, &tilted}) mesh->release();
        EXPECT_TRUE(rig.context.errors().empty()) << (es ? "ES: " : "desktop: ")
                                                  << rig.context.errors().front();
        rig.tearDown();
        return depths;
    };
    const std::vector<unsigned> desktop = cubeOf(false);
    const std::vector<unsigned> es = cubeOf(true);
    ASSERT_EQ(desktop.size(), es.size());
    size_t drawn = 0, differing = 0;
    unsigned largest = 0;
    for (size_t i = 0; i < desktop.size(); ++i) {
        if (desktop[i] != kDepthOne) ++drawn;
        if (desktop[i] == es[i]) continue;
        ++differing;
        largest = std::max(largest, desktop[i] > es[i] ? desktop[i] - es[i] : es[i] - desktop[i]);
    }
    EXPECT_GT(drawn, kFaceTexels);  // the floor alone fills face 3 and parts of four more
    EXPECT_EQ(differing, 0u) << "largest difference " << largest << " of " << kDepthOne;
}
