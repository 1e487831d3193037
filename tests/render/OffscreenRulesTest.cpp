#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <vector>

#include "particles/ParticleMath.h"
#include "render/OffscreenRules.h"

namespace {

// GL's blend equation (add) for one factor pair, on one colour.
float factor(GLenum f, const glm::vec4& src) {
    switch (f) {
        case GL_ZERO: return 0.0f;
        case GL_ONE: return 1.0f;
        case GL_SRC_ALPHA: return src.a;
        case GL_ONE_MINUS_SRC_ALPHA: return 1.0f - src.a;
        default: ADD_FAILURE() << "an unexpected factor " << f; return 0.0f;
    }
}
glm::vec4 blended(const particles::Blend& b, const glm::vec4& src, const glm::vec4& dst) {
    const glm::vec3 rgb = glm::vec3(src) * factor(b.sourceColour, src) +
                          glm::vec3(dst) * factor(b.destinationColour, src);
    return {rgb, src.a * factor(b.sourceAlpha, src) + dst.a * factor(b.destinationAlpha, src)};
}

struct Sprite {
    glm::vec4 colour;
    int alphaType;
};

}  // namespace

TEST(OffscreenRules, HalfSizeCoversEveryPixelAndKeepsTheFarthestDepth) {
    struct Case {
        int width, height, expectWidth, expectHeight;
    };
    for (const Case& c : {Case{1024, 768, 512, 384}, Case{641, 481, 321, 241}, Case{1, 1, 1, 1},
                          Case{0, 480, 0, 0}, Case{640, -1, 0, 0}}) {
        const offscreen::Size size = offscreen::halfSize(c.width, c.height);
        EXPECT_EQ(size.width, c.expectWidth) << c.width << "x" << c.height;
        EXPECT_EQ(size.height, c.expectHeight) << c.width << "x" << c.height;
    }
    EXPECT_FLOAT_EQ(offscreen::keptDepth({0.2f, 0.9f, 0.5f, 0.3f}), 0.9f);
}

// Flat depths filter; at an edge each pixel takes the side it stands on.
TEST(OffscreenRules, TheCompositeFiltersUnlessAnEdgeRunsThrough) {
    const float limb = 0.990f, behind = 0.998f;
    EXPECT_EQ(offscreen::upsampleChoice(limb, {limb, limb, limb + 0.0001f, limb}), -1);
    EXPECT_EQ(offscreen::upsampleChoice(limb, {behind, limb, behind, behind}), 1);
    EXPECT_EQ(offscreen::upsampleChoice(behind, {limb, limb, behind, limb}), 2);
    // Far away the same depth step stands for metres: still an edge.
    EXPECT_EQ(offscreen::upsampleChoice(0.9995f, {0.9990f, 0.9995f, 0.9990f, 0.9990f}), 1);
}

// Flames and smoke gathered into a layer cleared to nothing and laid over
// the scene give what drawing them straight onto it gives, in any order.
TEST(OffscreenRules, ALayerOverTheSceneEqualsTheSpritesDrawnOntoIt) {
    const glm::vec4 scene(0.2f, 0.3f, 0.4f, 1.0f);
    const Sprite flame{{0.9f, 0.5f, 0.1f, 0.6f}, 0}, spark{{1.0f, 0.9f, 0.4f, 0.3f}, 0};
    const Sprite smoke{{0.3f, 0.3f, 0.3f, 0.5f}, 1}, haze{{0.1f, 0.1f, 0.1f, 0.2f}, 1};
    const std::vector<std::vector<Sprite>> orders = {
        {flame}, {smoke}, {flame, smoke}, {smoke, flame}, {spark, smoke, flame, haze},
        {haze, smoke, smoke, spark}};
    for (const std::vector<Sprite>& sprites : orders) {
        glm::vec4 direct = scene, layer(0.0f);
        for (const Sprite& s : sprites) {
            direct = blended(particles::blendFor(s.alphaType), s.colour, direct);
            layer = blended(particles::blendFor(s.alphaType), s.colour, layer);
        }
        const glm::vec4 composited = blended(offscreen::kComposite, layer, scene);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(composited[i], direct[i], 1e-6f) << sprites.size() << " sprites, channel " << i;
        }
        EXPECT_NEAR(direct.a, 1.0f, 1e-6f);  // the scene stays opaque
    }
}
