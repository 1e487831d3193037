#pragma once
// Decisions about the window that need no window system: which monitor a
// window is on and whether its framebuffer can be drawn into. The window
// itself is app/surface/WindowSurface's.

#include <vector>

namespace window {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The monitor that holds the larger part of `area`: the index into
// `monitors`, the first one when the window is on none of them, -1 when
// there are none.
int monitorFor(const Rect& area, const std::vector<Rect>& monitors);

// A minimised window has no pixels to draw into (0 x 0 on most systems; on
// X11 it keeps its size and only says it is iconified).
bool drawable(int framebufferWidth, int framebufferHeight, bool iconified);

}  // namespace window
