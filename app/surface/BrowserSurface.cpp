#include "app/surface/BrowserSurface.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <imgui.h>
#include <imgui_impl_glfw.h>

#include "app/Keys.h"
#include "app/surface/GlRequirements.h"

namespace {

const char* const kCanvas = "#canvas";

// Mouse look reads the pointer's own travel, which the browser reports only
// while the pointer is locked to the canvas; a click asks for the lock while
// the demo wants it (a lock needs the user's gesture), ESC is the browser's
// way out of it.
struct PointerLook {
    bool wanted = false;
    double dx = 0.0, dy = 0.0;
};
PointerLook gLook;

bool locked() {
    EmscriptenPointerlockChangeEvent status;
    return emscripten_get_pointerlock_status(&status) == EMSCRIPTEN_RESULT_SUCCESS &&
           status.isActive;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*) {
    if (gLook.wanted && locked()) {
        gLook.dx += event->movementX;
        gLook.dy += event->movementY;
    }
    return EM_FALSE;
}

// Touch, from the page's script (app/web/page.js): a finger's look travel in
// the mouse's pixels, the walk area's held directions and the buttons' key
// presses. A touch screen takes no pointer lock.
struct TouchInput {
    bool screen = false;
    bool forward = false, back = false, left = false, right = false;
};
TouchInput gTouch;
KeyPresses* gPresses = nullptr;  // the open surface's

// The first finger as the panel's mouse, in the canvas's pixels: a tap
// shorter than a frame still presses for one.
struct TouchPointer {
    bool used = false;
    float x = 0.0f, y = 0.0f;
    bool down = false, pressed = false;
};
TouchPointer gPointer;

EM_BOOL onClick(int, const EmscriptenMouseEvent*, void*) {
    if (gLook.wanted && !gTouch.screen && !locked()) {
        emscripten_request_pointerlock(kCanvas, EM_FALSE);
    }
    return EM_FALSE;
}

// Full screen asked for in a frame waits for the next event handler of
// Emscripten's own, where the browser counts it as the user's gesture: the
// key's release, for F11. Until the browser answers, the request stands for
// the state.
bool gFullScreenAsked = false;

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent*, void*) { return EM_FALSE; }

EM_BOOL onFullScreenChange(int, const EmscriptenFullscreenChangeEvent*, void*) {
    gFullScreenAsked = false;
    return EM_FALSE;
}

// A browser takes the context away from background tabs and on GPU resets.
// Its owners let their objects go at once (Surface::whenContextLost); until
// it is back nothing is drawn and no time passes, as in a minimised window,
// and the page (app/web/page.js) says so. Handled: the browser may restore.
struct LostContext {
    bool lost = false;
    std::function<void()> release;
};
LostContext gContext;

EM_BOOL onContextLost(int, const void*, void*) {
    gContext.lost = true;
    if (gContext.release) gContext.release();
    return EM_TRUE;
}

// A context given back has every WebGL extension off again (the float
// targets the glow draws into among them): Emscripten's GL layer turns them
// on once per context, so it is asked to do that once more.
EM_JS(void, enableExtensionsAgain, (), {
    GL.currentContext.initExtensionsDone = false;
    GL.initExtensions(GL.currentContext);
});

EM_BOOL onContextRestored(int, const void*, void*) {
    enableExtensionsAgain();
    gContext.lost = false;
    return EM_TRUE;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void emberwight_touch_screen() { gTouch.screen = true; }

EMSCRIPTEN_KEEPALIVE void emberwight_touch_look(double dx, double dy) {
    if (!gLook.wanted) return;  // the open panel has the finger
    gLook.dx += dx;
    gLook.dy += dy;
}

// The open panel has the finger: nothing walks.
EMSCRIPTEN_KEEPALIVE void emberwight_touch_walk(int forward, int back, int left, int right) {
    gTouch.forward = gLook.wanted && forward != 0;
    gTouch.back = gLook.wanted && back != 0;
    gTouch.left = gLook.wanted && left != 0;
    gTouch.right = gLook.wanted && right != 0;
}

EMSCRIPTEN_KEEPALIVE void emberwight_touch_pointer(double x, double y, int down) {
    gPointer.used = true;
    gPointer.x = static_cast<float>(x);
    gPointer.y = static_cast<float>(y);
    gPointer.down = down != 0;
    gPointer.pressed = gPointer.pressed || gPointer.down;
}

// A button: a press of the key the table names ("SPACE", "F1").
EMSCRIPTEN_KEEPALIVE void emberwight_press(const char* name) {
    for (const keys::Key& key : keys::all()) {
        if (gPresses != nullptr && std::strcmp(key.name, name) == 0) gPresses->pressed(key.code);
    }
}

}  // extern "C"

std::unique_ptr<BrowserSurface> BrowserSurface::open(const SurfaceRequest& request,
                                                     std::string& error) {
    if (!glfwInit()) {
        error = " the browser's window layer did not start";
        return nullptr;
    }
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    GLFWwindow* window = glfwCreateWindow(static_cast<int>(request.width),
                                          static_cast<int>(request.height),
                                          "+++ Emberwight +++", nullptr, nullptr);
    if (window == nullptr) {
        error = " Emberwight needs WebGL 2, which this browser does not offer";
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    std::unique_ptr<BrowserSurface> surface(new BrowserSurface(window));
    gPresses = &surface->presses_;
    emscripten_set_mousemove_callback(kCanvas, nullptr, EM_FALSE, onMouseMove);
    emscripten_set_click_callback(kCanvas, nullptr, EM_FALSE, onClick);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onKeyUp);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             onFullScreenChange);
    emscripten_set_webglcontextlost_callback(kCanvas, nullptr, EM_FALSE, onContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, nullptr, EM_FALSE, onContextRestored);
    // WebGL 2 is ES 3.0 by definition; the check reads what the browser made.
    const std::string missing = requirements::unmetByCurrentContext(true);
    if (!missing.empty()) {
        error = " " + missing;
        return nullptr;
    }
    return surface;
}

// The canvas and its context stay: a run that ends leaves its last frame on
// the page.
BrowserSurface::~BrowserSurface() {
    releaseCursor();
    gPresses = nullptr;
    presses_.stop(window_);
    emscripten_set_mousemove_callback(kCanvas, nullptr, EM_FALSE, nullptr);
    emscripten_set_click_callback(kCanvas, nullptr, EM_FALSE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             nullptr);
    emscripten_set_webglcontextlost_callback(kCanvas, nullptr, EM_FALSE, nullptr);
    emscripten_set_webglcontextrestored_callback(kCanvas, nullptr, EM_FALSE, nullptr);
    gContext.release = nullptr;
}

void BrowserSurface::whenContextLost(std::function<void()> lost) {
    gContext.release = std::move(lost);
}

bool BrowserSurface::drawableSize(unsigned& width, unsigned& height) {
    if (gContext.lost) return false;
    int w = 0, h = 0;
    emscripten_get_canvas_element_size(kCanvas, &w, &h);
    if (w <= 0 || h <= 0) return false;
    width = static_cast<unsigned>(w);
    height = static_cast<unsigned>(h);
    return true;
}

bool BrowserSurface::keyDown(int key) const {
    const auto walks = [key](keys::Kind kind, bool held) {
        return held && keys::of(kind).code == key;
    };
    if (walks(keys::Kind::Forward, gTouch.forward) || walks(keys::Kind::Back, gTouch.back) ||
        walks(keys::Kind::Left, gTouch.left) || walks(keys::Kind::Right, gTouch.right)) {
        return true;
    }
    return glfwGetKey(window_, key) != GLFW_RELEASE;
}

std::string BrowserSurface::lookHelp() const {
    return gTouch.screen ? "Drag over the picture to look around; hold the lower left to walk."
                         : "Click the picture to look around; ESC frees the mouse.";
}

float BrowserSurface::uiScale() const {
    return std::max(1.0f, static_cast<float>(emscripten_get_device_pixel_ratio()));
}

void BrowserSurface::captureCursor() { gLook.wanted = true; }

void BrowserSurface::releaseCursor() {
    gLook.wanted = false;
    if (locked()) emscripten_exit_pointerlock();
}

bool BrowserSurface::cursorTravel(double& dx, double& dy) {
    dx = gLook.dx;
    dy = gLook.dy;
    gLook.dx = gLook.dy = 0.0;
    return dx != 0.0 || dy != 0.0;
}

bool BrowserSurface::fullScreen() const {
    EmscriptenFullscreenChangeEvent status;
    return gFullScreenAsked ||
           (emscripten_get_fullscreen_status(&status) == EMSCRIPTEN_RESULT_SUCCESS &&
            status.isFullscreen);
}

void BrowserSurface::setFullScreen(bool on) {
    if (on == fullScreen()) return;
    gFullScreenAsked = false;
    if (on) {
        gFullScreenAsked = emscripten_request_fullscreen(kCanvas, EM_TRUE) ==
                           EMSCRIPTEN_RESULT_DEFERRED;
    } else {
        emscripten_exit_fullscreen();
    }
}

double BrowserSurface::seconds() const { return glfwGetTime(); }

void BrowserSurface::startPanelInput() { ImGui_ImplGlfw_InitForOpenGL(window_, true); }

// Headless browsers can run two animation frames at one time stamp; Dear
// ImGui asserts on a zero time step.
void BrowserSurface::feedPanelInput(double) {
    ImGui_ImplGlfw_NewFrame();
    ImGuiIO& io = ImGui::GetIO();
    if (gPointer.used) {
        io.MousePos = ImVec2(gPointer.x, gPointer.y);
        io.MouseDown[0] = gPointer.down || gPointer.pressed;
        gPointer.pressed = false;
    }
    if (io.DeltaTime <= 0.0f) io.DeltaTime = 1.0f / 1000.0f;
}

void BrowserSurface::stopPanelInput() { ImGui_ImplGlfw_Shutdown(); }
