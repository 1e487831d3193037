#include "tools/Field.h"

#include <algorithm>
#include <cmath>
#include <thread>

void parallelRows(int rows, const std::function<void(int row)>& body) {
    const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (int row = t; row < rows; row += threads) body(row);
        });
    for (std::thread& worker : workers) worker.join();
}

Field::Field(int width, int height, float fill)
    : width_(width), height_(height), values_(static_cast<size_t>(width) * height, fill) {}

float Field::wrapped(int x, int y) const {
    x %= width_;
    y %= height_;
    if (x < 0) x += width_;
    if (y < 0) y += height_;
    return at(x, y);
}

float Field::sampleWrapped(float x, float y) const {
    const float fx = x - 0.5f;
    const float fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0;
    const float ty = fy - y0;
    const float top = wrapped(x0, y0) * (1.0f - tx) + wrapped(x0 + 1, y0) * tx;
    const float bottom = wrapped(x0, y0 + 1) * (1.0f - tx) + wrapped(x0 + 1, y0 + 1) * tx;
    return top * (1.0f - ty) + bottom * ty;
}

float Field::sampleClamped(float x, float y) const {
    const float fx = std::clamp(x - 0.5f, 0.0f, static_cast<float>(width_ - 1));
    const float fy = std::clamp(y - 0.5f, 0.0f, static_cast<float>(height_ - 1));
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, width_ - 1);
    const int y1 = std::min(y0 + 1, height_ - 1);
    const float tx = fx - x0;
    const float ty = fy - y0;
    const float top = at(x0, y0) * (1.0f - tx) + at(x1, y0) * tx;
    const float bottom = at(x0, y1) * (1.0f - tx) + at(x1, y1) * tx;
    return top * (1.0f - ty) + bottom * ty;
}

void Field::fill(const std::function<float(float u, float v)>& f) {
    parallelRows(height_, [&](int y) {
        const float v = (y + 0.5f) / height_;
        for (int x = 0; x < width_; ++x) at(x, y) = f((x + 0.5f) / width_, v);
    });
}

void Field::normalize() {
    const auto [low, high] = std::minmax_element(values_.begin(), values_.end());
    const float lo = *low;
    const float range = std::max(*high - lo, 1e-6f);
    for (float& value : values_) value = (value - lo) / range;
}

Field Field::blurred(int radius) const {
    Field horizontal(width_, height_);
    const float weight = 1.0f / (2 * radius + 1);
    parallelRows(height_, [&](int y) {
        for (int x = 0; x < width_; ++x) {
            float sum = 0.0f;
            for (int k = -radius; k <= radius; ++k) sum += wrapped(x + k, y);
            horizontal.at(x, y) = sum * weight;
        }
    });
    Field result(width_, height_);
    parallelRows(height_, [&](int y) {
        for (int x = 0; x < width_; ++x) {
            float sum = 0.0f;
            for (int k = -radius; k <= radius; ++k) sum += horizontal.wrapped(x, y + k);
            result.at(x, y) = sum * weight;
        }
    });
    return result;
}

Image Field::toImage() const {
    Image image(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) image.set(x, y, glm::vec3(at(x, y)));
    return image;
}

Image Field::normalMap(float depth) const {
    Image image(width_, height_);
    parallelRows(height_, [&](int y) {
        for (int x = 0; x < width_; ++x) {
            const float du = (wrapped(x + 1, y) - wrapped(x - 1, y)) * 0.5f * depth;
            const float dv = (wrapped(x, y - 1) - wrapped(x, y + 1)) * 0.5f * depth;
            const glm::vec3 n = glm::normalize(glm::vec3(-du, -dv, 1.0f));
            image.set(x, y, n * 0.5f + 0.5f);
        }
    });
    return image;
}
