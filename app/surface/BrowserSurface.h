#pragma once
// The page's canvas, through Emscripten's GLFW and its HTML5 calls: a WebGL 2
// context, keys, mouse look under pointer lock, the browser's full screen, and
// a drawing buffer that follows the canvas's size on the page and the
// display's pixel ratio.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <memory>

#include "app/surface/KeyPresses.h"
#include "app/surface/Surface.h"

class BrowserSurface : public Surface {
public:
    // Opens the canvas's context (WebGL 2 as OpenGL ES 3.0) at the request's
    // size; null and `error` if the browser cannot make one. The page sizes the
    // drawing buffer from then on, and the frame follows it.
    static std::unique_ptr<BrowserSurface> open(const SurfaceRequest& request, std::string& error);
    ~BrowserSurface() override;
    BrowserSurface(const BrowserSurface&) = delete;
    BrowserSurface& operator=(const BrowserSurface&) = delete;

    GLuint framebuffer() const override { return 0; }
    bool drawableSize(unsigned& width, unsigned& height) override;
    void waitWhileMinimised() override {}  // the browser stops animation frames itself
    void pollEvents() override {}          // events arrive between animation frames
    bool keyDown(int key) const override;
    std::vector<int> takeKeyPresses() override { return presses_.take(); }
    bool closeRequested() const override { return false; }
    void captureCursor() override;
    void releaseCursor() override;
    bool cursorTravel(double& dx, double& dy) override;
    bool fullScreen() const override;
    void setFullScreen(bool on) override;
    void present() override {}  // the browser shows the canvas when the frame returns
    double seconds() const override;
    bool drawsText() const override { return true; }
    void startPanelInput() override;
    void feedPanelInput(double elapsed) override;
    void stopPanelInput() override;
    std::string where() const override { return ""; }
    std::string lookHelp() const override;
    // ESC belongs to the browser, which leaves pointer lock and full screen
    // with it: a page is not a program to quit.
    bool escapeQuits() const override { return false; }
    float uiScale() const override;
    void whenContextLost(std::function<void()> lost) override;

private:
    explicit BrowserSurface(GLFWwindow* window) : window_(window) { presses_.listen(window); }

    GLFWwindow* window_ = nullptr;
    KeyPresses presses_;
};
