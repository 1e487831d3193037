#include "render/GlowRules.h"

#include <algorithm>
#include <cmath>

namespace glow {

Size levelSize(unsigned width, unsigned height, int level) {
    Size size;
    if (width == 0 || height == 0 || level < 0 || level >= kLevels) return size;
    const unsigned divisor = 4u << level;
    size.width = static_cast<int>(std::max(1u, width / divisor));
    size.height = static_cast<int>(std::max(1u, height / divisor));
    return size;
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
