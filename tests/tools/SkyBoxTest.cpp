#include <gtest/gtest.h>

#include <assimp/scene.h>
#include <assimp/Importer.hpp>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "support/ResourceFiles.h"

using resources::pixelAt;

namespace {

// Mean colour of skybox2.jpg over a short horizontal strip around texture
// coordinates (u, v).
glm::vec3 colourAt(FIBITMAP* image, glm::vec2 uv) {
    const int w = static_cast<int>(FreeImage_GetWidth(image));
    const int h = static_cast<int>(FreeImage_GetHeight(image));
    const int x = static_cast<int>(uv.x * w);
    const int y = static_cast<int>((1.0f - uv.y) * h);  // t = 0 is the bottom row
    glm::vec3 sum(0.0f);
    for (int dx = -40; dx <= 40; ++dx) {
        const auto p = pixelAt(image, x + dx, y);
        sum += glm::vec3(p.r, p.g, p.b);
    }
    return sum / 81.0f;
}

}  // namespace

// The box is drawn 25 m above the eye at 100 m half-size, so the eye sees the
// horizon at 37.5 % of each side face's height: near-black below, a warm glow
// just above, deep blue higher up.
TEST(SkyBox, SideFacesShowTheHorizonAtThreeEighthsOfTheirHeight) {
    Assimp::Importer importer;
    const aiScene* scene = resources::importModel(importer, resources::modelPath("skybox.obj"));
    ASSERT_NE(scene, nullptr);
    resources::ImagePtr image = resources::loadImage(resources::texturePath("skybox2.jpg"));
    ASSERT_TRUE(image);
    // Each side face, by its normal: the v of its bottom and top edges and
    // the u range its quads cover.
    struct Face {
        float vBottom = 0.0f, vTop = 0.0f, uLow = 1.0f, uHigh = 0.0f;
    };
    std::map<std::pair<int, int>, Face> faces;
    for (const resources::Triangle& t : resources::triangles(scene->mMeshes[0])) {
        if (std::abs(t.n[0].y) > 0.5f) continue;
        Face& face = faces[{static_cast<int>(std::lround(t.n[0].x)),
                            static_cast<int>(std::lround(t.n[0].z))}];
        for (int k = 0; k < 3; ++k) {
            if (t.p[k].y == -0.5f) face.vBottom = t.uv[k].y;
            if (t.p[k].y == 0.5f) face.vTop = t.uv[k].y;
            face.uLow = std::min(face.uLow, t.uv[k].x);
            face.uHigh = std::max(face.uHigh, t.uv[k].x);
        }
    }
    ASSERT_EQ(faces.size(), 4u);
    for (const auto& [normal, face] : faces) {
        auto at = [&](float share) {
            return colourAt(image.get(), {0.5f * (face.uLow + face.uHigh),
                                          face.vBottom + share * (face.vTop - face.vBottom)});
        };
        const glm::vec3 below = at(0.33f), glow = at(0.39f), high = at(0.8f);
        EXPECT_LT(below.r + below.g + below.b, 15.0f);
        EXPECT_GT(glow.r + glow.g + glow.b, below.r + below.g + below.b + 15.0f);
        EXPECT_GT(glow.r, glow.b);  // warm at the horizon
        EXPECT_GT(high.b, high.r);  // blue above
    }
}
