#pragma once
#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <memory>
#include <string>
#include <vector>

#include "app/surface/WindowSurface.h"

// A hidden window with a current GL context (the way the demo asks for one)
// and a debug-output callback that records every GL error. With `es`, an
// OpenGL ES 3.0 context, as --gles asks for.
class GlContext {
public:
    explicit GlContext(int width = 64, int height = 64, bool es = false);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    GLFWwindow* window() const { return window_; }
    // The demo's surface over this window, for an engine to draw into.
    std::unique_ptr<Surface> surface() const { return std::make_unique<WindowSurface>(window_); }
    // Error messages the driver reported since the context was made (or cleared).
    const std::vector<std::string>& errors() const;
    void clearErrors();

private:
    GLFWwindow* window_ = nullptr;
};

// Reads the colour buffer's pixel at (x, y) as RGBA bytes.
struct Rgba {
    unsigned char r, g, b, a;
};
Rgba readPixel(int x, int y);
