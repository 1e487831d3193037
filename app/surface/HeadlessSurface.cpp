#include "app/surface/HeadlessSurface.h"

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
// depth and 8-bit stencil, single-sampled. It stays bound: every pass that
// binds another framebuffer returns to this one.
bool HeadlessSurface::createFramebuffer(std::string& error) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    const unsigned limit = static_cast<unsigned>(largest);
    if (!windowSizeAcceptable(width_, height_) || width_ > limit || height_ > limit) {
        error = "cannot make a " + std::to_string(static_cast<int>(width_)) + " x " +
                std::to_string(static_cast<int>(height_)) + " offscreen framebuffer (1 to " +
                std::to_string(largest) + " pixels each way)";
        return false;
    }
    const GLsizei w = static_cast<GLsizei>(width_), h = static_cast<GLsizei>(height_);
    GLuint buffers[2] = {0, 0};
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              buffers[1]);
    const GLenum colour = GL_COLOR_ATTACHMENT0;
    glDrawBuffers(1, &colour);  // glDrawBuffer is desktop GL's alone
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error = "the offscreen framebuffer is incomplete on " + device_;
        return false;
    }
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
