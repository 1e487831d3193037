#include "app/surface/WindowSurface.h"

#include <GL/freeglut.h>
#include <imgui.h>
#include <imgui_impl_glfw.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "GraphicsEngine/Platform.h"
#include "app/run/CommandLine.h"
#include "app/surface/GlRequirements.h"
#include "game/Camera.h"

namespace {

// When no 3.x context can be made: the requirement line naming the version
// that a context without hints gets, if it is older; empty otherwise. (GLEW is
// not loaded for it, which matters only to a 3.x driver, not one below 3.3.)
std::string olderDriverReport() {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* probe = glfwCreateWindow(1, 1, "", nullptr, nullptr);
    if (probe == nullptr) return "";
    glfwMakeContextCurrent(probe);
    const std::string report = requirements::unmetByCurrentContext();
    glfwDestroyWindow(probe);
    return report;
}

}  // namespace

std::unique_ptr<WindowSurface> WindowSurface::open(const SurfaceRequest& request,
                                                   std::string& error) {
    platform::beforeWindowSystem();
    if (!glfwInit()) {
        std::printf("Failed to init glfw\n");
        platform::consolePause();
        std::exit(-1);
    }
    // Hints count only once GLFW is initialised.
    if (request.gles) glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    if (request.glDebug) glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    GLFWmonitor* monitor = nullptr;
    if (request.fullscreen) {
        std::printf("Fullscreen");
        monitor = glfwGetPrimaryMonitor();
        glfwWindowHint(GLFW_REFRESH_RATE, 60);
    }
    // Sizes no window system can make (a negative number read as unsigned,
    // or beyond X11's coordinate range) are refused here rather than handed on.
    const bool acceptable = windowSizeAcceptable(request.width, request.height);
    GLFWwindow* window = acceptable ? glfwCreateWindow(static_cast<int>(request.width),
                                                       static_cast<int>(request.height),
                                                       "+++ Emberwight +++", monitor, nullptr)
                                    : nullptr;
    std::printf("%d x %d", static_cast<int>(request.width), static_cast<int>(request.height));
    if (window == nullptr) {
        // (A driver that makes no ES 3 context says so through the same line.)
        const std::string older =
            !acceptable ? ""
            : request.gles ? "Emberwight --gles needs OpenGL ES 3.0 or newer; this driver "
                             "makes no OpenGL ES 3 context"
                           : olderDriverReport();
        error = older.empty() ? "failed to open window:" : " " + older;
        glfwTerminate();
        return nullptr;
    }
    std::unique_ptr<WindowSurface> surface(new WindowSurface(window));
    surface->ownsGlfw_ = true;
    glfwMakeContextCurrent(window);
    // Leaving full screen brings a window that started there back at its
    // size, centred.
    surface->windowedArea_ = {0, 0, static_cast<int>(request.width),
                              static_cast<int>(request.height)};
    if (const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr) {
        surface->windowedArea_.x = std::max(0, (mode->width - surface->windowedArea_.width) / 2);
        surface->windowedArea_.y = std::max(0, (mode->height - surface->windowedArea_.height) / 2);
    }
    // A walking key tapped while a slow frame renders still walks one frame.
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);

    error = requirements::loadAndCheckCurrentContext(request.gles);
    if (!error.empty()) return nullptr;
    // freeglut's bitmap text needs its one-time initialisation (ES draws its
    // text through Dear ImGui).
    if (request.gles) return surface;
    int glutArgc = 1;
    char glutName[] = "emberwight";
    char* glutArgv[] = {glutName, nullptr};
    glutInit(&glutArgc, glutArgv);
    return surface;
}

WindowSurface::~WindowSurface() {
    presses_.stop(window_);
    if (ownsGlfw_) glfwTerminate();
}

bool WindowSurface::drawableSize(unsigned& width, unsigned& height) {
    int w = 0, h = 0;
    glfwGetFramebufferSize(window_, &w, &h);
    if (!window::drawable(w, h, glfwGetWindowAttrib(window_, GLFW_ICONIFIED) != 0)) return false;
    width = static_cast<unsigned>(w);
    height = static_cast<unsigned>(h);
    return true;
}

void WindowSurface::waitWhileMinimised() {
    // Sleeps in the window system, waking now and then.
    glfwWaitEventsTimeout(0.25);
}

void WindowSurface::pollEvents() { glfwPollEvents(); }

bool WindowSurface::keyDown(int key) const { return glfwGetKey(window_, key) != GLFW_RELEASE; }

bool WindowSurface::closeRequested() const { return glfwWindowShouldClose(window_) != 0; }

void WindowSurface::captureCursor() {
    centreCursor();
    glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void WindowSurface::releaseCursor() {
    glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
}

// Dear ImGui's GLFW back end reads the mouse, keys, characters and the
// display's size and scale from the window itself; its callbacks chain to
// any the window had.
void WindowSurface::startPanelInput() { ImGui_ImplGlfw_InitForOpenGL(window_, true); }

void WindowSurface::feedPanelInput(double) { ImGui_ImplGlfw_NewFrame(); }

void WindowSurface::stopPanelInput() { ImGui_ImplGlfw_Shutdown(); }

bool WindowSurface::cursorTravel(double& dx, double& dy) {
    double x = 0.0, y = 0.0;
    glfwGetCursorPos(window_, &x, &y);
    const bool moved = camera::cursorMoved(x, y, lastCursorX_, lastCursorY_);
    dx = x - lastCursorX_;
    dy = y - lastCursorY_;
    // Re-centred every frame so the next travel is measured from the middle.
    centreCursor();
    return moved;
}

void WindowSurface::centreCursor() {
    // Window coordinates, which differ from framebuffer pixels on a scaled display.
    int w = 0, h = 0;
    glfwGetWindowSize(window_, &w, &h);
    glfwSetCursorPos(window_, static_cast<double>(w / 2), static_cast<double>(h / 2));
    glfwGetCursorPos(window_, &lastCursorX_, &lastCursorY_);
}

bool WindowSurface::fullScreen() const { return glfwGetWindowMonitor(window_) != nullptr; }

// Full screen on the monitor that holds most of the window, at its current
// video mode; back to where the window was.
void WindowSurface::setFullScreen(bool on) {
    if (on == fullScreen()) return;
    if (!on) {
        glfwSetWindowMonitor(window_, nullptr, windowedArea_.x, windowedArea_.y,
                             windowedArea_.width, windowedArea_.height, 0);
        return;
    }
    glfwGetWindowPos(window_, &windowedArea_.x, &windowedArea_.y);
    glfwGetWindowSize(window_, &windowedArea_.width, &windowedArea_.height);
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
    const int index = window::monitorFor(windowedArea_, areas);
    const GLFWvidmode* mode = index >= 0 ? glfwGetVideoMode(monitors[index]) : nullptr;
    if (mode == nullptr) return;
    glfwSetWindowMonitor(window_, monitors[index], 0, 0, mode->width, mode->height,
                         mode->refreshRate);
}

void WindowSurface::present() { glfwSwapBuffers(window_); }

double WindowSurface::seconds() const { return glfwGetTime(); }
