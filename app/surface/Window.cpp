#include "app/surface/Window.h"

#include <algorithm>

namespace window {

int monitorFor(const Rect& area, const std::vector<Rect>& monitors) {
    int best = monitors.empty() ? -1 : 0;
    long bestOverlap = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const Rect& m = monitors[i];
        const long w = std::min(area.x + area.width, m.x + m.width) - std::max(area.x, m.x);
        const long h = std::min(area.y + area.height, m.y + m.height) - std::max(area.y, m.y);
        if (w > 0 && h > 0 && w * h > bestOverlap) {
            bestOverlap = w * h;
            best = static_cast<int>(i);
        }
    }
    return best;
}

bool drawable(int framebufferWidth, int framebufferHeight, bool iconified) {
    return framebufferWidth > 0 && framebufferHeight > 0 && !iconified;
}

}  // namespace window
