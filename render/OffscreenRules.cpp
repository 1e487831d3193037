#include "render/OffscreenRules.h"

#include <algorithm>
#include <cmath>

namespace offscreen {

Size halfSize(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    return {(width + 1) / 2, (height + 1) / 2};
}

float keptDepth(const std::array<float, 4>& depths) {
    return *std::max_element(depths.begin(), depths.end());
}

int upsampleChoice(float depth, const std::array<float, 4>& nearby) {
    const auto [lowest, highest] = std::minmax_element(nearby.begin(), nearby.end());
    if (*highest - *lowest <= kEdgeDepth) return -1;
    int chosen = 0;
    for (int i = 1; i < 4; ++i) {
        if (std::abs(nearby[i] - depth) < std::abs(nearby[chosen] - depth)) chosen = i;
    }
    return chosen;
}

}  // namespace offscreen
