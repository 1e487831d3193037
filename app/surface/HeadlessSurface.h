#pragma once
// Offscreen: an EGL context with no window system and a framebuffer object of
// the window's size and formats standing in for the window's. No events, no
// keys, no cursor and no font (freeglut's needs an X display).

#include <memory>

#include "GraphicsEngine/RenderTarget.h"
#include "app/surface/Surface.h"

class HeadlessSurface : public Surface {
public:
    // Makes the EGL context current, loads GL, checks the driver and makes the
    // offscreen framebuffer; null and `error` (the fatal line) if any fails.
    static std::unique_ptr<HeadlessSurface> open(const SurfaceRequest& request, std::string& error);

    ~HeadlessSurface() override;
    HeadlessSurface(const HeadlessSurface&) = delete;
    HeadlessSurface& operator=(const HeadlessSurface&) = delete;

    GLuint framebuffer() const override { return target_.framebuffer(); }
    bool drawableSize(unsigned& width, unsigned& height) override;
    void waitWhileMinimised() override {}
    void pollEvents() override {}
    bool keyDown(int) const override { return false; }
    std::vector<int> takeKeyPresses() override { return {}; }
    bool closeRequested() const override { return false; }
    void captureCursor() override {}
    void releaseCursor() override {}
    bool cursorTravel(double&, double&) override { return false; }
    bool fullScreen() const override { return false; }
    void setFullScreen(bool) override {}
    void present() override;
    double seconds() const override;
    bool drawsText() const override { return false; }
    void startPanelInput() override;
    void feedPanelInput(double elapsed) override;
    void stopPanelInput() override {}
    std::string where() const override { return device_; }

private:
    HeadlessSurface() = default;
    std::string device_;  // what the EGL context runs on
    unsigned width_ = 0, height_ = 0;
    graph::RenderTarget target_;
    GLsync previousFrame_ = nullptr;

    bool createFramebuffer(std::string& error);
};
