#include "app/surface/KeyPresses.h"

#include <GLFW/glfw3.h>

#include <utility>

namespace {

void onKey(GLFWwindow* window, int key, int, int action, int) {
    auto* presses = static_cast<KeyPresses*>(glfwGetWindowUserPointer(window));
    if (presses != nullptr && action == GLFW_PRESS) presses->pressed(key);
}

}  // namespace

void KeyPresses::listen(GLFWwindow* window) {
    glfwSetWindowUserPointer(window, this);
    glfwSetKeyCallback(window, onKey);
}

void KeyPresses::stop(GLFWwindow* window) {
    glfwSetKeyCallback(window, nullptr);
    glfwSetWindowUserPointer(window, nullptr);
}

void KeyPresses::pressed(int key) {
    if (queue_.size() < kMost) queue_.push_back(key);
}

std::vector<int> KeyPresses::take() { return std::exchange(queue_, {}); }
