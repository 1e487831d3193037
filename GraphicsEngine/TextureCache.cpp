#include "GraphicsEngine/TextureCache.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "GraphicsEngine/ResourcePaths.h"

namespace textures {

void swapRedAndBlue(unsigned char* rows, unsigned width, unsigned height, unsigned pitch,
                    unsigned bytesPerTexel) {
    if (rows == nullptr || bytesPerTexel < 3) return;
    for (unsigned y = 0; y < height; ++y) {
        unsigned char* texel = rows + static_cast<size_t>(y) * pitch;
        for (unsigned x = 0; x < width; ++x, texel += bytesPerTexel) std::swap(texel[0], texel[2]);
    }
}

}  // namespace textures

namespace {

enum class Kind { Colour, Alpha, Repeating };

std::string texturePath(const std::string& name) {
    return paths::resolvePath(paths::kTextureDir + name);
}

// Detects the format from the content, then from the name, and loads the file;
// prints the failure line and returns null when either step fails.
FIBITMAP* openImage(const std::string& path) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN) {
        std::printf("Texture: file format fail!\n");
        return nullptr;
    }
    FIBITMAP* image = nullptr;
    if (FreeImage_FIFSupportsReading(format)) image = FreeImage_Load(format, path.c_str(), 0);
    if (image == nullptr) std::printf("Texture: file read fail!\n");
    return image;
}

// The upload reads whole 24- or 32-bit pixels, so anything else (greyscale,
// palettised, 16-bit) is expanded first; otherwise GL would read past the
// image's pixel buffer. Returns `image` itself when it already fits.
FIBITMAP* withPixelDepth(FIBITMAP* image, unsigned bitsPerPixel) {
    if (FreeImage_GetImageType(image) == FIT_BITMAP && FreeImage_GetBPP(image) == bitsPerPixel) {
        return image;
    }
    return bitsPerPixel == 32 ? FreeImage_ConvertTo32Bits(image) : FreeImage_ConvertTo24Bits(image);
}

void release(FIBITMAP* image, FIBITMAP* pixels) {
    if (pixels != image && pixels != nullptr) FreeImage_Unload(pixels);
    FreeImage_Unload(image);
}

GLuint load(TextureCache& cache, const std::string& name, Kind kind) {
    const auto found = cache.textures.find(name);
    if (found != cache.textures.end()) {
        std::printf("Texture Found.\n");
        return found->second;
    }
    std::printf(kind == Kind::Alpha ? "Loading alpha Texture...\n" : "Loading Texture...\n");
    const std::string path = texturePath(name);
    std::printf("%s\n", path.c_str());

    FIBITMAP* image = openImage(path);
    if (image == nullptr) return 0;
    const unsigned width = FreeImage_GetWidth(image);
    const unsigned height = FreeImage_GetHeight(image);
    if (kind != Kind::Repeating && (FreeImage_GetBits(image) == nullptr || width == 0 || height == 0)) {
        std::printf("Texture: image size fail!\n");
        FreeImage_Unload(image);
        return 0;
    }
    FIBITMAP* pixels = withPixelDepth(image, kind == Kind::Alpha ? 32 : 24);
    if (pixels == nullptr) {
        std::printf("Texture: file read fail!\n");
        FreeImage_Unload(image);
        return 0;
    }
    if (kind == Kind::Colour) {
        std::printf("Texture: '%s' FreeImage load sucessful. ColorType: %d\n", path.c_str(),
                    static_cast<int>(FreeImage_GetColorType(image)));
    } else {
        std::printf("Texture: FreeImage load sucessful.\n");
    }

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    // FreeImage rows: bottom row first, 4-byte aligned like GL's default unpacking.
    // Its blue-first texels are put in red-first order here, as OpenGL ES has
    // no GL_BGR to upload them by. The repeating variant takes the bytes as
    // they are, exchanging red and blue.
    const bool alpha = kind == Kind::Alpha;
    if (kind != Kind::Repeating) {
        textures::swapRedAndBlue(FreeImage_GetBits(pixels), width, height,
                                 FreeImage_GetPitch(pixels), alpha ? 4 : 3);
    }
    const GLenum format = alpha ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, format, GL_UNSIGNED_BYTE, FreeImage_GetBits(pixels));
    glGenerateMipmap(GL_TEXTURE_2D);
    if (kind == Kind::Repeating) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, cache.minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, cache.magFilter);
    }
    release(image, pixels);
    cache.textures[name] = texture;
    return texture;
}

GLint nearestCounterpart(GLint filter) {
    switch (filter) {
        case GL_LINEAR: return GL_NEAREST;
        case GL_LINEAR_MIPMAP_NEAREST: return GL_NEAREST_MIPMAP_NEAREST;
        case GL_LINEAR_MIPMAP_LINEAR: return GL_NEAREST_MIPMAP_LINEAR;
        default: return filter;
    }
}

}  // namespace

GLuint TextureCache::loadTexture(const std::string& name) { return load(*this, name, Kind::Colour); }

GLuint TextureCache::loadAlphaTexture(const std::string& name) {
    return load(*this, name, Kind::Alpha);
}

GLuint TextureCache::loadRepeatingTexture(const std::string& name) {
    return load(*this, name, Kind::Repeating);
}

// Runs while the scene is built, before any GL context exists: no GL calls here.
float* TextureCache::loadHeightmap(const std::string& name, int width, int height) {
    FIBITMAP* image = openImage(texturePath(name));
    if (image == nullptr) return nullptr;
    FIBITMAP* grey = FreeImage_ConvertToGreyscale(image);
    FreeImage_Unload(image);
    if (grey == nullptr) {
        std::printf("Texture: file read fail!\n");
        return nullptr;
    }
    FIBITMAP* scaled = FreeImage_Rescale(grey, width, height, FILTER_BILINEAR);
    FreeImage_Unload(grey);
    if (scaled == nullptr) {
        std::printf("Texture: image size fail!\n");
        return nullptr;
    }
    FIBITMAP* samples = FreeImage_ConvertToFloat(scaled);
    FreeImage_Unload(scaled);
    if (samples == nullptr) {
        std::printf("Texture: file read fail!\n");
        return nullptr;
    }
    const int sampledWidth = static_cast<int>(FreeImage_GetWidth(samples));
    const int sampledHeight = static_cast<int>(FreeImage_GetHeight(samples));
    std::printf("Heightmap: width=%d, height=%d", sampledWidth, sampledHeight);
    // The caller owns a plain copy (rows may be padded inside the image).
    float* copy = new float[static_cast<size_t>(sampledWidth) * sampledHeight];
    for (int row = 0; row < sampledHeight; ++row) {
        const float* line = reinterpret_cast<const float*>(FreeImage_GetScanLine(samples, row));
        std::copy(line, line + sampledWidth, copy + static_cast<size_t>(row) * sampledWidth);
    }
    FreeImage_Unload(samples);
    return copy;
}

void TextureCache::applySampling() {
    for (const auto& [name, texture] : textures) {
        glBindTexture(GL_TEXTURE_2D, texture);
        if (magFilter == GL_NEAREST) minFilter = nearestCounterpart(minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void TextureCache::release() {
    for (const auto& [name, texture] : textures) glDeleteTextures(1, &texture);
    textures.clear();
}
