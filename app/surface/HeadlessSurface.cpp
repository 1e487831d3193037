#include "app/surface/HeadlessSurface.h"

#include <algorithm>
#include <cstdio>
#include <imgui.h>

#include "GraphicsEngine/Platform.h"
#include "app/run/CommandLine.h"
#include "app/surface/EglContext.h"
#include "app/surface/GlRequirements.h"

std::unique_ptr<HeadlessSurface> HeadlessSurface::open(const SurfaceRequest& request,
                                                       std::string& error) {
    std::unique_ptr<HeadlessSurface> surface(new HeadlessSurface);
    surface->device_ =
        egl::makeContextCurrent(request.eglDevice, request.glDebug, request.gles, error);
    if (surface->device_.empty()) return nullptr;

    // Checked as for the window, before the framebuffer is made.
    error = requirements::loadAndCheckCurrentContext(request.gles);
    if (!error.empty()) return nullptr;
    surface->width_ = request.width;
    surface->height_ = request.height;
    if (!surface->createFramebuffer(error)) return nullptr;
    std::printf("Headless: the text overlay is left out\n");
    return surface;
}

HeadlessSurface::~HeadlessSurface() {
    if (previousFrame_ != nullptr) glDeleteSync(previousFrame_);
    egl::releaseCurrentContext();
}

// The window's framebuffer as GLFW asks for it: 8-bit RGBA colour, 24-bit
// depth and 8-bit stencil, single-sampled: colour a texture, depth and
// stencil a renderbuffer.
bool HeadlessSurface::createFramebuffer(std::string& error) {
    GLint largest = 0, largestTexture = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestTexture);
    largest = std::min(largest, largestTexture);
    const unsigned limit = static_cast<unsigned>(largest);
    if (!windowSizeAcceptable(width_, height_) || width_ > limit || height_ > limit) {
        error = "cannot make a " + std::to_string(static_cast<int>(width_)) + " x " +
                std::to_string(static_cast<int>(height_)) + " offscreen framebuffer (1 to " +
                std::to_string(largest) + " pixels each way)";
        return false;
    }
    const int w = static_cast<int>(width_), h = static_cast<int>(height_);
    graph::TargetDescription window;
    window.width = w;
    window.height = h;
    window.depth = graph::DepthImage::Renderbuffer;
    if (!target_.make(window, "offscreen")) {
        error = "the offscreen framebuffer is incomplete on " + device_;
        return false;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, target_.framebuffer());
    std::printf("%d x %d offscreen on %s\n", w, h, device_.c_str());
    return true;
}

bool HeadlessSurface::drawableSize(unsigned& width, unsigned& height) {
    width = width_;
    height = height_;
    return true;
}

// With no swap to pace it, the CPU could queue frames without end: wait until
// the previous frame is drawn, as a double-buffered window's swap would.
void HeadlessSurface::present() {
    if (previousFrame_ != nullptr) {
        glClientWaitSync(previousFrame_, GL_SYNC_FLUSH_COMMANDS_BIT, 60'000'000'000ull);
        glDeleteSync(previousFrame_);
    }
    previousFrame_ = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
}

void HeadlessSurface::startPanelInput() {
    ImGui::GetIO().BackendPlatformName = "emberwight offscreen";
}

// No mouse and no keys: the panel is drawn as it stands.
void HeadlessSurface::feedPanelInput(double elapsed) {
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(width_), static_cast<float>(height_));
    io.DisplayFramebufferScale = ImVec2(1.0f, 1.0f);
    io.DeltaTime = elapsed > 0.0 ? static_cast<float>(elapsed) : 1.0f / 60.0f;
}

double HeadlessSurface::seconds() const { return platform::seconds(); }
