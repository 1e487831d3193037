#include "render/GlowRules.h"

#include <algorithm>
#include <cmath>

namespace glow {

namespace {

Size divided(unsigned width, unsigned height, unsigned divisor) {
    Size size;
    if (width == 0 || height == 0) return size;
    size.width = static_cast<int>(std::max(1u, width / divisor));
    size.height = static_cast<int>(std::max(1u, height / divisor));
    return size;
}

}  // namespace

Size brightSize(unsigned width, unsigned height) { return divided(width, height, 4); }

Size levelSize(unsigned width, unsigned height, int level) {
    if (level < 0 || level >= kLevels) return Size();
    return divided(width, height, 8u << level);
}

float toneCurve(float x) {
    if (x <= kKnee) return x;
    const float room = 1.0f - kKnee;
    return kKnee + room * (1.0f - std::exp(-(x - kKnee) / room));
}

glm::vec3 display(glm::vec3 hdr) {
    glm::vec3 c = hdr * kExposure;
    const float peak = std::max(c.r, std::max(c.g, c.b));
    c += glm::vec3(std::max(peak - 1.0f, 0.0f) * kWhiteSpill);
    return glm::vec3(toneCurve(c.r), toneCurve(c.g), toneCurve(c.b));
}

}  // namespace glow
