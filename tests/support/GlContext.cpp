#include "support/GlContext.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

std::vector<std::string> gErrors;

void GLAPIENTRY recordMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei,
                              const GLchar* message, const void*) {
    if (type == GL_DEBUG_TYPE_ERROR || severity == GL_DEBUG_SEVERITY_HIGH) {
        gErrors.emplace_back(message);
    }
}

}  // namespace

GlContext::GlContext(int width, int height, bool es) {
    glfwSetErrorCallback([](int code, const char* description) {
        std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
    });
    // A loaded machine's X server can turn a connection away for a moment; try
    // a few times before giving up, and stop the test rather than run GL calls
    // without a context.
    for (int attempt = 0; attempt < 5 && window_ == nullptr; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (!glfwInit()) continue;
        glfwDefaultWindowHints();
        if (es) glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
        window_ = glfwCreateWindow(width, height, "gl test", nullptr, nullptr);
    }
    if (window_ == nullptr) {
        std::fprintf(stderr, "no GL context could be made (is DISPLAY set?)\n");
        std::exit(1);
    }
    glfwMakeContextCurrent(window_);
    glewExperimental = GL_TRUE;
    glewInit();
    glGetError();  // GLEW may leave an error behind on core-style lookups
    gErrors.clear();
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(recordMessage, nullptr);
}

GlContext::~GlContext() {
    // GLFW stays initialised: terminating it unloads the GL driver, and the leak
    // checker could then no longer tell the driver's own allocations from ours.
    if (window_ != nullptr) glfwDestroyWindow(window_);
}

const std::vector<std::string>& GlContext::errors() const { return gErrors; }

void GlContext::clearErrors() { gErrors.clear(); }

Rgba readPixel(int x, int y) {
    Rgba pixel{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}
