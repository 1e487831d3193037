#include "tools/Image.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

BYTE toByte(float value) {
    return static_cast<BYTE>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Image::Image(int width, int height, const glm::vec4& fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

glm::vec4 Image::sample(float x, float y) const {
    const float fx = std::clamp(x - 0.5f, 0.0f, static_cast<float>(width_ - 1));
    const float fy = std::clamp(y - 0.5f, 0.0f, static_cast<float>(height_ - 1));
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, width_ - 1);
    const int y1 = std::min(y0 + 1, height_ - 1);
    const float tx = fx - x0;
    const float ty = fy - y0;
    const glm::vec4 top = glm::mix(at(x0, y0), at(x1, y0), tx);
    const glm::vec4 bottom = glm::mix(at(x0, y1), at(x1, y1), tx);
    return glm::mix(top, bottom, ty);
}

void Image::paste(const Image& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy)
        for (int sx = 0; sx < source.width(); ++sx) {
            const int tx = x + sx;
            const int ty = y + sy;
            if (tx >= 0 && ty >= 0 && tx < width_ && ty < height_) at(tx, ty) = source.at(sx, sy);
        }
}

bool Image::save(const std::string& path, int format, int bitsPerPixel, int flags) const {
    FIBITMAP* bitmap = FreeImage_Allocate(width_, height_, bitsPerPixel);
    if (bitmap == nullptr) return false;
    const int bytesPerPixel = bitsPerPixel / 8;
    for (int y = 0; y < height_; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap, height_ - 1 - y);
        for (int x = 0; x < width_; ++x) {
            const glm::vec4& p = at(x, y);
            BYTE* out = line + x * bytesPerPixel;
            if (bytesPerPixel == 1) {
                out[0] = toByte(p.r);
                continue;
            }
            out[FI_RGBA_RED] = toByte(p.r);
            out[FI_RGBA_GREEN] = toByte(p.g);
            out[FI_RGBA_BLUE] = toByte(p.b);
            if (bytesPerPixel == 4) out[FI_RGBA_ALPHA] = toByte(p.a);
        }
    }
    const bool saved =
        FreeImage_Save(static_cast<FREE_IMAGE_FORMAT>(format), bitmap, path.c_str(), flags) != 0;
    FreeImage_Unload(bitmap);
    if (!saved) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return saved;
}

bool Image::saveJpeg(const std::string& path) const {
    return save(path, FIF_JPEG, 24, 95 | JPEG_SUBSAMPLING_444 | JPEG_OPTIMIZE);
}

bool Image::saveTga(const std::string& path, int bitsPerPixel) const {
    return save(path, FIF_TARGA, bitsPerPixel, TARGA_DEFAULT);
}

bool Image::savePng(const std::string& path) const {
    return save(path, FIF_PNG, 24, PNG_DEFAULT);
}
