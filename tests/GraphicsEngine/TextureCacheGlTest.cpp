#include "GraphicsEngine/TextureCache.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/GlContext.h"
#include "support/TempDataRoot.h"

namespace {

// A 24-bit TGA: bottom scanline red, every other one blue (BGR in memory).
void writeColourTga(const std::string& path, int width, int height) {
    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            RGBQUAD colour{};
            if (y == 0) colour.rgbRed = 255; else colour.rgbBlue = 255;
            FreeImage_SetPixelColor(image, x, y, &colour);
        }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_TARGA, image, path.c_str(), 0));
    FreeImage_Unload(image);
}

std::vector<unsigned char> readBack(GLuint texture, GLenum format, int width, int height) {
    const int channels = format == GL_RGBA ? 4 : 3;
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height * channels), 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

GLint parameter(GLuint texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint levelParameter(GLuint texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

}  // namespace

TEST(TextureCache, SecondRequestIsACacheHit) {
    GlContext context;
    TempDataRoot root;
    writeColourTga(root.texturePath("ground07.tga"), 4, 2);
    TextureCache cache;

    testing::internal::CaptureStdout();
    const GLuint first = cache.loadTexture("ground07.tga");
    const GLuint second = cache.loadTexture("ground07.tga");
    const std::string path = root.texturePath("ground07.tga");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Loading Texture...\n" + path + "\nTexture: '" + path +
                  "' FreeImage load sucessful. ColorType: 2\nTexture Found.\n");
    EXPECT_NE(first, 0u);
    EXPECT_EQ(second, first);
    ASSERT_EQ(cache.textures.size(), 1u);
    EXPECT_EQ(cache.textures["ground07.tga"], first);
    // Left bound on unit 0, with the cache's current filters.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, static_cast<GLint>(first));
    EXPECT_EQ(parameter(first, GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_NEAREST);
    EXPECT_EQ(parameter(first, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, OneMapServesEveryLoader) {
    GlContext context;
    TempDataRoot root;
    writeColourTga(root.texturePath("bricks.tga"), 4, 4);
    TextureCache cache;
    testing::internal::CaptureStdout();
    const GLuint rgb = cache.loadTexture("bricks.tga");
    testing::internal::GetCapturedStdout();

    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadAlphaTexture("bricks.tga"), rgb);
    EXPECT_EQ(cache.loadRepeatingTexture("bricks.tga"), rgb);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Texture Found.\nTexture Found.\n");
    EXPECT_EQ(levelParameter(rgb, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, MissingFilesReportFormatOrReadFailure) {
    GlContext context;
    TempDataRoot root;
    TextureCache cache;
    const std::string path = root.texturePath("missing");
    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadTexture("missing"), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Loading Texture...\n" + path + "\nTexture: file format fail!\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadAlphaTexture("missing.tga"), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Loading alpha Texture...\n" + path + ".tga\nTexture: file read fail!\n");

    // Nothing is stored: the next request tries the file again.
    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.loadRepeatingTexture("missing.tga"), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Loading Texture...\n" + path + ".tga\nTexture: file read fail!\n");
    EXPECT_TRUE(cache.textures.empty());
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, ColourRowsArriveBottomRowFirst) {
    GlContext context;
    TempDataRoot root;
    writeColourTga(root.texturePath("rows.tga"), 5, 3);  // 15-byte rows, padded to 16
    TextureCache cache;
    testing::internal::CaptureStdout();
    const GLuint texture = cache.loadTexture("rows.tga");
    testing::internal::GetCapturedStdout();
    const std::vector<unsigned char> rgb = readBack(texture, GL_RGB, 5, 3);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(rgb[3 * x], 255) << x;      // bottom row red
        EXPECT_EQ(rgb[3 * x + 2], 0) << x;
        EXPECT_EQ(rgb[30 + 3 * x], 0) << x;  // top row blue
        EXPECT_EQ(rgb[30 + 3 * x + 2], 255) << x;
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, GreyscaleJpegIsExpandedBeforeUpload) {
    GlContext context;
    TempDataRoot root;
    // 16 x 16 greyscale: bottom half 40, top half 200 (whole JPEG blocks stay flat).
    FIBITMAP* image = FreeImage_Allocate(16, 16, 8);
    RGBQUAD* palette = FreeImage_GetPalette(image);
    for (int i = 0; i < 256; ++i) {
        palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
    }
    for (int y = 0; y < 16; ++y) {
        BYTE* line = FreeImage_GetScanLine(image, y);
        for (int x = 0; x < 16; ++x) line[x] = y < 8 ? 40 : 200;
    }
    ASSERT_TRUE(FreeImage_Save(FIF_JPEG, image, root.texturePath("grey.jpg").c_str(),
                               JPEG_QUALITYSUPERB));
    FreeImage_Unload(image);

    TextureCache cache;
    testing::internal::CaptureStdout();
    const GLuint texture = cache.loadTexture("grey.jpg");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("FreeImage load sucessful. ColorType: 1\n"), std::string::npos)
        << printed;  // the file's own colour type: minimum is black
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(levelParameter(texture, GL_TEXTURE_WIDTH), 16);
    const std::vector<unsigned char> rgb = readBack(texture, GL_RGB, 16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int expected = y < 8 ? 40 : 200;
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(rgb[3 * (16 * y + x) + c], expected, 4) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, PalettisedTgaIsExpandedForBothColourLoaders) {
    GlContext context;
    TempDataRoot root;
    // 3 x 2, 8-bit palette: bottom row red, green, blue; top row white, black, red.
    FIBITMAP* image = FreeImage_Allocate(3, 2, 8);
    RGBQUAD* palette = FreeImage_GetPalette(image);
    palette[0] = RGBQUAD{0, 0, 255, 0};
    palette[1] = RGBQUAD{0, 255, 0, 0};
    palette[2] = RGBQUAD{255, 0, 0, 0};
    palette[3] = RGBQUAD{255, 255, 255, 0};
    palette[4] = RGBQUAD{0, 0, 0, 0};
    const BYTE indices[2][3] = {{0, 1, 2}, {3, 4, 0}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) FreeImage_GetScanLine(image, y)[x] = indices[y][x];
    }
    ASSERT_TRUE(FreeImage_Save(FIF_TARGA, image, root.texturePath("palette.tga").c_str(), 0));
    ASSERT_TRUE(FreeImage_Save(FIF_TARGA, image, root.texturePath("palette2.tga").c_str(), 0));
    FreeImage_Unload(image);

    const unsigned char expected[6][3] = {{255, 0, 0},     {0, 255, 0}, {0, 0, 255},
                                          {255, 255, 255}, {0, 0, 0},   {255, 0, 0}};
    TextureCache cache;
    testing::internal::CaptureStdout();
    const GLuint colour = cache.loadTexture("palette.tga");
    const GLuint alpha = cache.loadAlphaTexture("palette2.tga");
    testing::internal::GetCapturedStdout();
    const std::vector<unsigned char> rgb = readBack(colour, GL_RGB, 3, 2);
    const std::vector<unsigned char> rgba = readBack(alpha, GL_RGBA, 3, 2);
    for (int i = 0; i < 6; ++i) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(rgb[3 * i + c], expected[i][c]) << "pixel " << i;
            EXPECT_EQ(rgba[4 * i + c], expected[i][c]) << "pixel " << i;
        }
        EXPECT_EQ(rgba[4 * i + 3], 255) << "pixel " << i;
    }
    EXPECT_EQ(levelParameter(alpha, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, AlphaLoaderKeepsTheFilesAlpha) {
    GlContext context;
    TempDataRoot root;
    FIBITMAP* image = FreeImage_Allocate(2, 2, 32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            RGBQUAD colour{10, 20, 30, static_cast<BYTE>(y == 0 ? 0 : 128)};
            FreeImage_SetPixelColor(image, x, y, &colour);
        }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_TARGA, image, root.texturePath("spark.tga").c_str(), 0));
    FreeImage_Unload(image);

    TextureCache cache;
    testing::internal::CaptureStdout();
    const GLuint texture = cache.loadAlphaTexture("spark.tga");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Loading alpha Texture...\n" + root.texturePath("spark.tga") +
                  "\nTexture: FreeImage load sucessful.\n");
    const std::vector<unsigned char> rgba = readBack(texture, GL_RGBA, 2, 2);
    EXPECT_EQ(rgba[0], 30);  // red
    EXPECT_EQ(rgba[2], 10);  // blue
    EXPECT_EQ(rgba[3], 0);
    EXPECT_EQ(rgba[15], 128);
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, RepeatingTextureIsLinearWrappedAndTakenAsRgb) {
    GlContext context;
    TempDataRoot root;
    writeColourTga(root.texturePath("noise.tga"), 4, 4);
    TextureCache cache;
    testing::internal::CaptureStdout();
    const GLuint texture = cache.loadRepeatingTexture("noise.tga");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Loading Texture...\n" + root.texturePath("noise.tga") +
                  "\nTexture: FreeImage load sucessful.\n");
    EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
    // Bytes in FreeImage order: the bottom row's red arrives as blue.
    const std::vector<unsigned char> rgb = readBack(texture, GL_RGB, 4, 4);
    EXPECT_EQ(rgb[0], 0);
    EXPECT_EQ(rgb[2], 255);
    EXPECT_EQ(cache.textures.count("noise.tga"), 1u);
    EXPECT_TRUE(context.errors().empty());
}

TEST(TextureCache, ApplySamplingUsesTheNearestCounterpart) {
    GlContext context;
    TempDataRoot root;
    writeColourTga(root.texturePath("a.tga"), 2, 2);
    writeColourTga(root.texturePath("b.tga"), 2, 2);
    TextureCache cache;

    // An empty cache changes nothing, not even the stored filter.
    cache.minFilter = GL_LINEAR_MIPMAP_LINEAR;
    cache.applySampling();
    EXPECT_EQ(cache.minFilter, GL_LINEAR_MIPMAP_LINEAR);

    testing::internal::CaptureStdout();
    const GLuint a = cache.loadTexture("a.tga");
    const GLuint b = cache.loadTexture("b.tga");
    testing::internal::GetCapturedStdout();
    cache.magFilter = GL_NEAREST;
    cache.applySampling();
    EXPECT_EQ(cache.minFilter, GL_NEAREST_MIPMAP_LINEAR);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    for (GLuint texture : {a, b}) {
        EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_LINEAR);
        EXPECT_EQ(parameter(texture, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    }

    // Linear magnification does not turn the stored filter back.
    cache.magFilter = GL_LINEAR;
    cache.applySampling();
    EXPECT_EQ(cache.minFilter, GL_NEAREST_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(a, GL_TEXTURE_MAG_FILTER), GL_LINEAR);

    cache.minFilter = GL_LINEAR_MIPMAP_NEAREST;
    cache.applySampling();
    EXPECT_EQ(parameter(b, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    cache.magFilter = GL_NEAREST;
    cache.applySampling();
    EXPECT_EQ(cache.minFilter, GL_NEAREST_MIPMAP_NEAREST);
    cache.minFilter = GL_LINEAR;
    cache.applySampling();
    EXPECT_EQ(cache.minFilter, GL_NEAREST);
    EXPECT_TRUE(context.errors().empty());
}
