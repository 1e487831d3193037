#pragma once
// Where frames go: a window on the desktop or an offscreen framebuffer. Start-up
// opens one; from then on the loop, the input step and the passes ask it, and
// nothing else needs to know which it is.

#include <GL/glew.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What start-up asks of a surface.
struct SurfaceRequest {
    unsigned width = 0, height = 0;
    bool fullscreen = false;
    bool glDebug = false;  // a debug context, for --gl-debug
    int eglDevice = -1;    // offscreen only: the EGL device to render on
    bool gles = false;     // an OpenGL ES 3.0 context rather than desktop OpenGL 3.3
};

class Surface {
public:
    virtual ~Surface() = default;  // shuts the window system or EGL down

    // The framebuffer each frame ends in and screenshots read (0 for a window).
    virtual GLuint framebuffer() const = 0;
    // Its size in pixels now; false while there is nothing to draw into (a
    // minimised window).
    virtual bool drawableSize(unsigned& width, unsigned& height) = 0;
    // While not drawable: sleeps until something happens (a restore, a close).
    virtual void waitWhileMinimised() = 0;

    // Events are polled once a frame; keys are GLFW key codes.
    virtual void pollEvents() = 0;
    virtual bool keyDown(int key) const = 0;
    // The keys pressed since the last call, in the order they went down (a
    // press shorter than a frame among them).
    virtual std::vector<int> takeKeyPresses() = 0;
    virtual bool closeRequested() const = 0;
    // Mouse look: hides the cursor and centres it.
    virtual void captureCursor() = 0;
    // The settings panel is open: shows the cursor and leaves it where it is.
    virtual void releaseCursor() = 0;
    // The cursor's travel since the last centring, then centres it again;
    // false when it has not moved.
    virtual bool cursorTravel(double& dx, double& dy) = 0;

    virtual bool fullScreen() const = 0;
    virtual void setFullScreen(bool on) = 0;

    // The end of a frame: a buffer swap, or a wait for the previous frame.
    virtual void present() = 0;
    // The frame clock, in seconds from an arbitrary origin.
    virtual double seconds() const = 0;
    // Whether the overlay's bitmap font can be drawn here.
    virtual bool drawsText() const = 0;
    // The settings panel's input (Dear ImGui, whose context is current):
    // starts the surface's side once, and before each of the panel's frames
    // feeds ImGui's IO with the display size, the time step and whatever
    // mouse and keys there are. Stopped before the context goes.
    virtual void startPanelInput() = 0;
    virtual void feedPanelInput(double elapsed) = 0;
    virtual void stopPanelInput() = 0;

    // The help text's words for looking around, and whether ESC ends the
    // run here (a page keeps ESC for the browser).
    virtual std::string lookHelp() const { return "Move the mouse to look around."; }
    virtual bool escapeQuits() const { return true; }
    // How much larger than its pixels the settings panel is drawn: the
    // display's pixel ratio in a browser, whose canvas counts device pixels.
    virtual float uiScale() const { return 1.0f; }

    // A browser takes the GL context away from background tabs and on GPU
    // resets, and may give it back. `lost` runs at once, while the browser
    // still ignores every GL call, so that the owners can let their objects
    // go without a GL error; until the context is back nothing is drawable.
    // A desktop context is never taken.
    virtual void whenContextLost(std::function<void()> lost) { (void)lost; }

    // What it renders on, for reports ("EGL device 0 of 1 (software)"); empty
    // for the window, whose renderer says it all.
    virtual std::string where() const = 0;
};

// The one place that chooses where frames go: an offscreen framebuffer when
// `headless`, else the system's window (a browser's canvas). Null and `error`
// (the message of the fatal line) where it cannot be made.
std::unique_ptr<Surface> openSurface(const SurfaceRequest& request, bool headless,
                                     std::string& error);
