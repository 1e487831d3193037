// Headless start-up: an EGL context stands in for the window's, and a
// framebuffer object of the window's size and formats for its framebuffer.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/EglContext.h"
#include "app/Engine.h"

void Engine::createHeadlessContext() {
    std::string error;
    headlessDevice = egl::makeContextCurrent(options.eglDevice, options.glDebug, error);
    if (headlessDevice.empty()) fatalError(error);

    // Debian's GLEW is built for GLX and has no call for the GL part alone:
    // glewInit loads the GL entry points, returning on any failure there, and
    // only then fails its GLX part for want of an X display. That last result
    // is expected here; whether GL is new enough start-up checks next, as for
    // the window.
    glewExperimental = GL_TRUE;
    const GLenum glew = glewInit();
    if (glew != GLEW_OK && glew != GLEW_ERROR_NO_GLX_DISPLAY) {
        fatalError("failed to initialize glew");
    }
}

// The window's framebuffer as GLFW asks for it: 8-bit RGBA colour, 24-bit
// depth and 8-bit stencil, single-sampled. It stays bound: every pass that
// binds another framebuffer returns to this one.
void Engine::createDisplayFramebuffer() {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    const unsigned limit = static_cast<unsigned>(largest);
    if (!windowSizeAcceptable(width, height) || width > limit || height > limit) {
        fatalError("cannot make a " + std::to_string(static_cast<int>(width)) + " x " +
                   std::to_string(static_cast<int>(height)) +
                   " offscreen framebuffer (1 to " + std::to_string(largest) +
                   " pixels each way)");
    }
    const GLsizei w = static_cast<GLsizei>(width), h = static_cast<GLsizei>(height);
    GLuint buffers[2] = {0, 0};
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &displayFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, displayFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              buffers[1]);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        fatalError("the offscreen framebuffer is incomplete on " + headlessDevice);
    }
    std::printf("%d x %d offscreen on %s\n", static_cast<int>(width), static_cast<int>(height),
                headlessDevice.c_str());
}
