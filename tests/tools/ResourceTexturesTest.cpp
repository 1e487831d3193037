#include <gtest/gtest.h>

#include <cmath>
#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "support/ResourceFiles.h"

using resources::ImagePtr;
using resources::loadImage;
using resources::pixelAt;
using resources::texturePath;

namespace {

struct Requested {
    const char* name;
    unsigned bitsPerPixel;  // what the loader that first reads it expects
};

// Every texture the scene asks for: the RGB loaders read 24-bit pixels, the
// alpha loader (the smoke sheet only) 32-bit ones.
const Requested kRequested[] = {
    {"ground07.jpg", 24}, {"ground07b.jpg", 24},     {"ground07n.jpg", 24},
    {"skybox2.jpg", 24},  {"sunsprite.tga", 24},     {"rock1.jpg", 24},
    {"rock1n.jpg", 24},   {"brick13_2.jpg", 24},     {"brick13n.jpg", 24},
    {"brick13d.jpg", 24}, {"wood17.jpg", 24},        {"wood17n_2.jpg", 24},
    {"wood17d.jpg", 24},  {"wood_burnt.jpg", 24},    {"fire_layer.tga", 24},
    {"noise.tga", 24},    {"particle.tga", 24},      {"flames3.tga", 24},
    {"flames2.tga", 24},  {"smoke45_alpha.tga", 32},
};

float luminance(const resources::Pixel& p) {
    return 0.299f * p.r + 0.587f * p.g + 0.114f * p.b;
}

// Mean absolute difference between two columns (or rows) of an image.
float meanDifference(FIBITMAP* image, bool columns, int a, int b) {
    const int w = static_cast<int>(FreeImage_GetWidth(image));
    const int h = static_cast<int>(FreeImage_GetHeight(image));
    const int count = columns ? h : w;
    float sum = 0.0f;
    for (int i = 0; i < count; ++i) {
        const auto p = columns ? pixelAt(image, a, i) : pixelAt(image, i, a);
        const auto q = columns ? pixelAt(image, b, i) : pixelAt(image, i, b);
        sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
    return sum / (3.0f * count);
}

}  // namespace

TEST(ResourceTextures, EveryRequestedTextureLoadsAsItsLoaderExpects) {
    for (const Requested& texture : kRequested) {
        SCOPED_TRACE(texture.name);
        ImagePtr image = loadImage(texturePath(texture.name));
        ASSERT_TRUE(image) << "cannot load " << texturePath(texture.name);
        EXPECT_NE(FreeImage_GetBits(image.get()), nullptr);
        EXPECT_GT(FreeImage_GetWidth(image.get()), 0u);
        EXPECT_GT(FreeImage_GetHeight(image.get()), 0u);
        EXPECT_EQ(FreeImage_GetBPP(image.get()), texture.bitsPerPixel);
    }
}

TEST(ResourceTextures, SurfaceTexturesAreSquareAtDetailSizes) {
    for (const char* name :
         {"ground07.jpg", "ground07b.jpg", "ground07n.jpg", "rock1.jpg", "rock1n.jpg",
          "brick13_2.jpg", "brick13d.jpg", "brick13n.jpg", "wood17.jpg", "wood17d.jpg",
          "wood17n_2.jpg", "wood_burnt.jpg", "fire_layer.tga", "noise.tga"}) {
        SCOPED_TRACE(name);
        ImagePtr image = loadImage(texturePath(name));
        ASSERT_TRUE(image);
        const unsigned w = FreeImage_GetWidth(image.get());
        EXPECT_EQ(w, FreeImage_GetHeight(image.get()));
        EXPECT_TRUE(w == 256 || w == 512 || w == 1024) << w;
    }
}

TEST(ResourceTextures, HeightMapIsEightBitGreyAtOneSamplePerMetre) {
    ImagePtr image = loadImage(texturePath("h_level_ew.tga"));
    ASSERT_TRUE(image);
    EXPECT_EQ(FreeImage_GetBPP(image.get()), 8u);
    EXPECT_EQ(FreeImage_GetColorType(image.get()), FIC_MINISBLACK);
    EXPECT_EQ(FreeImage_GetWidth(image.get()), 128u);
    EXPECT_EQ(FreeImage_GetHeight(image.get()), 128u);
    const std::vector<float> samples =
        resources::loadHeightSamples(texturePath("h_level_ew.tga"), 128, 128);
    ASSERT_EQ(samples.size(), 128u * 128u);
    // The rescale to its own size changes nothing: sample = grey level / 255.
    for (int row : {0, 40, 127})
        for (int column : {0, 64, 127})
            EXPECT_FLOAT_EQ(samples[row * 128 + column],
                            pixelAt(image.get(), column, 127 - row).r / 255.0f);
}

TEST(ResourceTextures, TileableTexturesHaveNoSeam) {
    for (const char* name :
         {"ground07.jpg", "ground07n.jpg", "rock1.jpg", "brick13_2.jpg", "brick13n.jpg",
          "wood17.jpg", "wood17n_2.jpg", "wood_burnt.jpg", "fire_layer.tga", "noise.tga"}) {
        SCOPED_TRACE(name);
        ImagePtr image = loadImage(texturePath(name));
        ASSERT_TRUE(image);
        const int w = static_cast<int>(FreeImage_GetWidth(image.get()));
        const int h = static_cast<int>(FreeImage_GetHeight(image.get()));
        // Across the wrap the picture changes no more than between neighbours inside it.
        const float insideX = (meanDifference(image.get(), true, w / 3, w / 3 + 1) +
                               meanDifference(image.get(), true, w / 2, w / 2 + 1)) /
                              2.0f;
        const float insideY = (meanDifference(image.get(), false, h / 3, h / 3 + 1) +
                               meanDifference(image.get(), false, h / 2, h / 2 + 1)) /
                              2.0f;
        EXPECT_LE(meanDifference(image.get(), true, w - 1, 0), 1.6f * insideX + 2.0f);
        EXPECT_LE(meanDifference(image.get(), false, h - 1, 0), 1.6f * insideY + 2.0f);
    }
}

// Normal maps: unit vectors facing out of the surface, red along +u and green
// along +v (up the picture), and leaning away from the raised parts of their
// height image (for the rocks the colour picture, which is also their depth map).
TEST(ResourceTextures, NormalMapsFollowTheirHeightImages) {
    const std::pair<const char*, const char*> pairs[] = {{"ground07n.jpg", "ground07b.jpg"},
                                                         {"rock1n.jpg", "rock1.jpg"},
                                                         {"brick13n.jpg", "brick13d.jpg"},
                                                         {"wood17n_2.jpg", "wood17d.jpg"}};
    for (const auto& [normalName, heightName] : pairs) {
        SCOPED_TRACE(normalName);
        ImagePtr normals = loadImage(texturePath(normalName));
        ImagePtr heights = loadImage(texturePath(heightName));
        ASSERT_TRUE(normals && heights);
        const int w = static_cast<int>(FreeImage_GetWidth(normals.get()));
        ASSERT_EQ(FreeImage_GetWidth(heights.get()), static_cast<unsigned>(w));
        double alongU = 0.0, alongV = 0.0, meanZ = 0.0;
        int unit = 0, count = 0;
        for (int y = 1; y + 1 < w; y += 7)
            for (int x = 1; x + 1 < w; x += 7) {
                const auto p = pixelAt(normals.get(), x, y);
                const glm::vec3 n{p.r / 127.5f - 1.0f, p.g / 127.5f - 1.0f, p.b / 127.5f - 1.0f};
                const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
                unit += std::abs(length - 1.0f) < 0.12f;
                meanZ += n.z;
                const float dhdu = luminance(pixelAt(heights.get(), x + 1, y)) -
                                   luminance(pixelAt(heights.get(), x - 1, y));
                const float dhdv = luminance(pixelAt(heights.get(), x, y - 1)) -
                                   luminance(pixelAt(heights.get(), x, y + 1));
                alongU += n.x * dhdu;
                alongV += n.y * dhdv;
                ++count;
            }
        EXPECT_GT(unit, count * 95 / 100);
        EXPECT_GT(meanZ / count, 0.8);
        EXPECT_LT(alongU, 0.0);
        EXPECT_LT(alongV, 0.0);
    }
}

TEST(ResourceTextures, NoiseChannelsHaveTheirOwnScales) {
    ImagePtr image = loadImage(texturePath("noise.tga"));
    ASSERT_TRUE(image);
    const int w = static_cast<int>(FreeImage_GetWidth(image.get()));
    double step[3] = {0, 0, 0}, low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
    for (int y = 0; y < w; ++y)
        for (int x = 0; x + 1 < w; ++x) {
            const auto p = pixelAt(image.get(), x, y);
            const auto q = pixelAt(image.get(), x + 1, y);
            const int a[3] = {p.r, p.g, p.b}, b[3] = {q.r, q.g, q.b};
            for (int c = 0; c < 3; ++c) {
                step[c] += std::abs(a[c] - b[c]);
                low[c] = std::min<double>(low[c], a[c]);
                high[c] = std::max<double>(high[c], a[c]);
            }
        }
    // Red coarse, green medium, blue fine; each uses the full range.
    EXPECT_LT(step[0] * 2.0, step[1]);
    EXPECT_LT(step[1] * 2.0, step[2]);
    for (int c = 0; c < 3; ++c) {
        EXPECT_LT(low[c], 20);
        EXPECT_GT(high[c], 235);
    }
}

// The effigy reads the charred wood and its fire layer at one texture
// coordinate: the layer's crack glow (red) lies on the wood's dark cracks and
// leaves the block tops dark, and its blue varies from block to block.
TEST(ResourceTextures, FireLayerGlowsInTheCharredWoodsCracks) {
    ImagePtr wood = loadImage(texturePath("wood_burnt.jpg"));
    ImagePtr layer = loadImage(texturePath("fire_layer.tga"));
    ASSERT_TRUE(wood && layer);
    const int w = static_cast<int>(FreeImage_GetWidth(layer.get()));
    ASSERT_EQ(FreeImage_GetWidth(wood.get()), FreeImage_GetWidth(layer.get()));
    ASSERT_EQ(FreeImage_GetHeight(wood.get()), FreeImage_GetHeight(layer.get()));
    long crackGlow = 0, cracks = 0, topGlow = 0, tops = 0;
    int lowPhase = 0, highPhase = 0;
    for (int y = 0; y < w; y += 2)
        for (int x = 0; x < w; x += 2) {
            const auto wp = pixelAt(wood.get(), x, y);
            const auto lp = pixelAt(layer.get(), x, y);
            if (wp.g <= 4) {
                crackGlow += lp.r;
                ++cracks;
            } else if (luminance(wp) > 30.0f) {
                topGlow += lp.r;
                ++tops;
            }
            lowPhase += lp.b < 64;
            highPhase += lp.b > 192;
        }
    ASSERT_GT(cracks, 1000);
    ASSERT_GT(tops, 1000);
    EXPECT_GT(crackGlow / cracks, 120);
    EXPECT_LT(topGlow / tops, 40);
    EXPECT_GT(lowPhase, w * w / 40);
    EXPECT_GT(highPhase, w * w / 40);
}

TEST(ResourceTextures, GlowSpritesFadeToBlackAtTheirEdges) {
    for (const char* name : {"particle.tga", "sunsprite.tga"}) {
        SCOPED_TRACE(name);
        ImagePtr image = loadImage(texturePath(name));
        ASSERT_TRUE(image);
        const int w = static_cast<int>(FreeImage_GetWidth(image.get()));
        ASSERT_EQ(FreeImage_GetHeight(image.get()), static_cast<unsigned>(w));
        EXPECT_GT(luminance(pixelAt(image.get(), w / 2, w / 2)), 240.0f);
        for (int i = 0; i < w; ++i) {
            EXPECT_LT(luminance(pixelAt(image.get(), i, 0)), 2.0f);
            EXPECT_LT(luminance(pixelAt(image.get(), 0, i)), 2.0f);
            EXPECT_LT(luminance(pixelAt(image.get(), w / 2 + i / 2, w / 2)),
                      luminance(pixelAt(image.get(), w / 2 + i / 2 - 1, w / 2)) + 1.0f);
        }
    }
}
