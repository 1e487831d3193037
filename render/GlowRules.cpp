#include "render/GlowRules.h"

#include <algorithm>

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

}  // namespace glow
