#pragma once
#include <functional>
#include <vector>

#include "tools/Image.h"

// A grid of floats (rows top first) for height and mask layers. Tileable
// textures read it wrapped, so their relief continues across the seams.
class Field {
public:
    Field(int width, int height, float fill = 0.0f);

    int width() const { return width_; }
    int height() const { return height_; }
    float& at(int x, int y) { return values_[static_cast<size_t>(y) * width_ + x]; }
    float at(int x, int y) const { return values_[static_cast<size_t>(y) * width_ + x]; }
    float wrapped(int x, int y) const;
    // Bilinear lookup at pixel coordinates (centres at integer + 0.5), wrapped.
    float sampleWrapped(float x, float y) const;
    // The same, clamped at the border.
    float sampleClamped(float x, float y) const;

    // Fills every cell with f(u, v), u and v at the pixel centre in 0..1
    // (v = 0 at the top row). Rows run on the available cores.
    void fill(const std::function<float(float u, float v)>& f);
    // Scales the values linearly onto 0..1.
    void normalize();
    // Wrapped box blur of the given radius (in pixels).
    Field blurred(int radius) const;

    // Grey picture, white = high.
    Image toImage() const;
    // Tangent-space normals of this height field (0..1) with `depth` pixels of
    // relief: RGB = n * 0.5 + 0.5, red along +u, green along +v (up the picture).
    Image normalMap(float depth) const;

private:
    int width_;
    int height_;
    std::vector<float> values_;
};

// Runs body(row) for every row in 0..rows-1, split over the available cores.
void parallelRows(int rows, const std::function<void(int row)>& body);
