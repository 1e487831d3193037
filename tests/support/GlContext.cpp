#include "support/GlContext.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> gErrors;

void GLAPIENTRY recordMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei,
                              const GLchar* message, const void*) {
    if (type == GL_DEBUG_TYPE_ERROR || severity == GL_DEBUG_SEVERITY_HIGH) {
        gErrors.emplace_back(message);
    }
}

}  // namespace

GlContext::GlContext(int width, int height) {
    if (!glfwInit()) {
        ADD_FAILURE() << "glfwInit failed (is DISPLAY set?)";
        return;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    window_ = glfwCreateWindow(width, height, "gl test", nullptr, nullptr);
    if (window_ == nullptr) {
        ADD_FAILURE() << "no GL window";
        return;
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
