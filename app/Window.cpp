#include "app/Window.h"

#include <algorithm>

#include "app/Engine.h"
#include "game/Camera.h"

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

void Engine::followFramebuffer() {
    if (window == nullptr) return;
    int w = 0, h = 0;
    glfwGetFramebufferSize(window, &w, &h);
    minimised = !window::drawable(w, h, glfwGetWindowAttrib(window, GLFW_ICONIFIED) != 0);
    if (minimised) return;
    if (static_cast<unsigned>(w) == width && static_cast<unsigned>(h) == height) return;
    width = static_cast<unsigned>(w);
    height = static_cast<unsigned>(h);
    projectionMatrix = camera::projection(width, height);
}

void Engine::waitWhileMinimised() {
    // Sleeps in the window system until something happens (a restore, a
    // close), waking now and then; no frame is drawn and no time passes.
    glfwWaitEventsTimeout(0.25);
    closeRequested = glfwWindowShouldClose(window) != 0;
}

void Engine::setFullScreen(bool on) {
    if (window == nullptr || on == (glfwGetWindowMonitor(window) != nullptr)) return;
    if (!on) {
        glfwSetWindowMonitor(window, nullptr, windowedArea.x, windowedArea.y, windowedArea.width,
                             windowedArea.height, 0);
        fullscreen = false;
        return;
    }
    glfwGetWindowPos(window, &windowedArea.x, &windowedArea.y);
    glfwGetWindowSize(window, &windowedArea.width, &windowedArea.height);
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    std::vector<window::Rect> areas;
    for (int i = 0; i < count; ++i) {
        window::Rect area;
        glfwGetMonitorPos(monitors[i], &area.x, &area.y);
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        if (mode != nullptr) {
            area.width = mode->width;
            area.height = mode->height;
        }
        areas.push_back(area);
    }
    const int index = window::monitorFor(windowedArea, areas);
    const GLFWvidmode* mode = index >= 0 ? glfwGetVideoMode(monitors[index]) : nullptr;
    if (mode == nullptr) return;
    glfwSetWindowMonitor(window, monitors[index], 0, 0, mode->width, mode->height,
                         mode->refreshRate);
    fullscreen = true;
}

void Engine::centreCursor() {
    // Window coordinates, which differ from framebuffer pixels on a scaled display.
    int w = 0, h = 0;
    glfwGetWindowSize(window, &w, &h);
    glfwSetCursorPos(window, static_cast<double>(w / 2), static_cast<double>(h / 2));
    glfwGetCursorPos(window, &lastCursorX, &lastCursorY);
}
