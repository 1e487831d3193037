// The heightmap is read while the scene is built, before any GL context
// exists, so these run without one: a GL call would crash here.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <string>

#include "GraphicsEngine/TextureCache.h"
#include "support/TempDataRoot.h"

namespace {

// A grey ramp TGA: bottom scanline black, top scanline white.
void writeVerticalRamp(const std::string& path, int width, int height) {
    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    for (int y = 0; y < height; ++y) {
        const BYTE level = static_cast<BYTE>(255 * y / (height - 1));
        for (int x = 0; x < width; ++x) {
            RGBQUAD colour{level, level, level, 0};
            FreeImage_SetPixelColor(image, x, y, &colour);
        }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_TARGA, image, path.c_str(), 0));
    FreeImage_Unload(image);
}

}  // namespace

TEST(Heightmap, RescalesToTheRequestedSizeBottomRowFirst) {
    TempDataRoot root;
    writeVerticalRamp(root.texturePath("ramp.tga"), 13, 7);
    TextureCache cache;
    testing::internal::CaptureStdout();
    const float* samples = cache.loadHeightmap("ramp.tga", 100, 80);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Heightmap: width=100, height=80");
    ASSERT_NE(samples, nullptr);

    // 8,000 floats: the first row is the image's bottom (black), the last its top.
    for (int x = 0; x < 100; ++x) {
        EXPECT_NEAR(samples[x], 0.0f, 0.02f) << x;
        EXPECT_NEAR(samples[79 * 100 + x], 1.0f, 0.02f) << x;
    }
    for (int y = 1; y < 80; ++y) {
        EXPECT_GE(samples[y * 100 + 50], samples[(y - 1) * 100 + 50]) << y;
    }
    EXPECT_TRUE(cache.textures.empty());
    delete[] samples;  // the caller owns the copy
}

TEST(Heightmap, FailuresReturnNullWithTheirLine) {
    TempDataRoot root;
    TextureCache cache;
    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadHeightmap("missing.tga", 10, 10), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Texture: file read fail!\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadHeightmap("missing", 10, 10), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Texture: file format fail!\n");

    root.writeFile("resources/textures/broken.tga", "not an image");
    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadHeightmap("broken.tga", 10, 10), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Texture: file read fail!\n");
}

TEST(Heightmap, ImpossibleSizeGivesNull) {
    TempDataRoot root;
    writeVerticalRamp(root.texturePath("ramp.tga"), 4, 4);
    TextureCache cache;
    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadHeightmap("ramp.tga", 0, 10), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Texture: image size fail!\n");
}
