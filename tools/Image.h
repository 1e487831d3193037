#pragma once
#include <glm/glm.hpp>
#include <string>
#include <vector>

// A float RGBA picture with its rows stored top first, as it is viewed.
// Saving hands FreeImage its rows bottom first, so the top row of the picture
// becomes texture coordinate t = 1.
class Image {
public:
    Image(int width, int height, const glm::vec4& fill = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));

    int width() const { return width_; }
    int height() const { return height_; }
    glm::vec4& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const glm::vec4& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void set(int x, int y, const glm::vec3& rgb) { at(x, y) = glm::vec4(rgb, 1.0f); }
    // Bilinear lookup at pixel coordinates (pixel centres at integer + 0.5),
    // clamped at the border.
    glm::vec4 sample(float x, float y) const;
    // Copies `source` with its top-left corner at (x, y), clipping at the border.
    void paste(const Image& source, int x, int y);

    // 24-bit JPEG (high quality, no chroma subsampling).
    bool saveJpeg(const std::string& path) const;
    // TGA of 8 (grey from red), 24 or 32 bits per pixel, uncompressed.
    bool saveTga(const std::string& path, int bitsPerPixel) const;
    bool savePng(const std::string& path) const;

private:
    bool save(const std::string& path, int format, int bitsPerPixel, int flags) const;

    int width_;
    int height_;
    std::vector<glm::vec4> pixels_;
};
