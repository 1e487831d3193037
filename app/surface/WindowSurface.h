#pragma once
// The GLFW window: its context, events, keys and cursor, full screen and
// minimise, and freeglut's font for the overlay.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <memory>

#include "app/surface/KeyPresses.h"
#include "app/surface/Surface.h"
#include "app/surface/Window.h"

class WindowSurface : public Surface {
public:
    // Starts GLFW, opens the window, makes its context current and loads GL
    // through GLEW; null and `error` (the message of the fatal line) if the
    // window cannot be made or its driver is too old.
    static std::unique_ptr<WindowSurface> open(const SurfaceRequest& request, std::string& error);

    // A surface over a window made elsewhere (the tests' own); it leaves GLFW
    // running when it goes.
    explicit WindowSurface(GLFWwindow* window) : window_(window) { presses_.listen(window); }
    ~WindowSurface() override;
    WindowSurface(const WindowSurface&) = delete;
    WindowSurface& operator=(const WindowSurface&) = delete;

    GLuint framebuffer() const override { return 0; }
    bool drawableSize(unsigned& width, unsigned& height) override;
    void waitWhileMinimised() override;
    void pollEvents() override;
    bool keyDown(int key) const override;
    std::vector<int> takeKeyPresses() override { return presses_.take(); }
    bool closeRequested() const override;
    void captureCursor() override;
    void releaseCursor() override;
    bool cursorTravel(double& dx, double& dy) override;
    bool fullScreen() const override;
    void setFullScreen(bool on) override;
    void present() override;
    double seconds() const override;
    bool drawsText() const override { return true; }
    void startPanelInput() override;
    void feedPanelInput(double elapsed) override;
    void stopPanelInput() override;
    std::string where() const override { return ""; }

private:
    GLFWwindow* window_ = nullptr;
    KeyPresses presses_;
    bool ownsGlfw_ = false;
    window::Rect windowedArea_;  // where leaving full screen puts the window
    double lastCursorX_ = 0.0, lastCursorY_ = 0.0;

    void centreCursor();
};
