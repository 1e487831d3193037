#include "tools/CharredBlocks.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/Noise.h"

namespace {

// Random cut positions from 0 to `total` (periodic), spaced between `low`
// and `high`; the last gap is stretched or shrunk to close the tile.
std::vector<float> cuts(float total, float low, float high, uint32_t seed) {
    std::vector<float> at{0.0f};
    for (uint32_t i = 0;; ++i) {
        const float next = at.back() + low + (high - low) * noise::hash01(seed, i);
        if (next > total - low * 0.5f) break;
        at.push_back(next);
    }
    at.push_back(total);
    return at;
}

// Distance from x to the nearest cut, and the index of the span holding x.
std::pair<float, int> nearestCut(const std::vector<float>& at, float x) {
    const float total = at.back();
    x -= std::floor(x / total) * total;
    const int span = static_cast<int>(std::upper_bound(at.begin(), at.end(), x) - at.begin()) - 1;
    const int safe = std::clamp(span, 0, static_cast<int>(at.size()) - 2);
    return {std::min(x - at[safe], at[safe + 1] - x), safe};
}

uint32_t stripHash(int strip) { return noise::hash(77, static_cast<uint32_t>(strip)); }

}  // namespace

CharredBlocks::CharredBlocks(int size)
    : size_(size),
      drift_(noise::fbmField(size, 3, 3, 0.5f, 71)),
      bend_(noise::fbmField(size, 12, 2, 0.5f, 72)),
      strips_(cuts(1.0f, 0.02f, 0.085f, 75)) {
    for (size_t strip = 0; strip + 1 < strips_.size(); ++strip)
        rungs_.push_back(cuts(2.0f, 0.05f, 0.16f, stripHash(static_cast<int>(strip))));
}

CharSpot CharredBlocks::at(int x, int y) const {
    // Metres across, shifted so that no crack runs along the tile's edge, and
    // wrapped: the drift pushes the edge columns across the seam.
    float u = (x + 0.5f) / size_ + 0.5f * strips_[1] + 0.012f * drift_.at(x, y);
    u -= std::floor(u);
    const float v = (y + 0.5f) / size_ * 2.0f;  // metres along
    CharSpot spot;
    const auto [toSide, strip] = nearestCut(strips_, u);
    spot.toSide = toSide;
    spot.strip = stripHash(strip);
    const float across = (u - strips_[strip]) / (strips_[strip + 1] - strips_[strip]) - 0.5f;
    // Cross cracks sag into shallow arcs, each strip its own way.
    const float sag = (noise::hash01(spot.strip, 4) - 0.5f) * 0.05f * across * across;
    // Each strip's cross cracks start at their own height, not all on one line.
    const float shift = 2.0f * noise::hash01(spot.strip, 7);
    const auto [toEnd, block] =
        nearestCut(rungs_[strip], v + shift + 0.03f * bend_.at(x, y) + sag);
    spot.toEnd = toEnd;
    spot.block = block;
    spot.sideWidth = 0.002f + 0.0025f * noise::hash01(spot.strip, 1);
    spot.endWidth = 0.0015f + 0.0025f * noise::hash01(spot.strip, block, 2);
    return spot;
}
