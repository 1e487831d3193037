#pragma once
// The keys pressed since the last look, in the order the window system
// delivered them: a press shorter than a frame still counts, once. GLFW's key
// callback feeds it; Dear ImGui's, installed over it while the panel is
// open, passes every event on to it.
#include <cstddef>
#include <vector>

struct GLFWwindow;

class KeyPresses {
public:
    // Listens to `window`'s key events, until stop.
    void listen(GLFWwindow* window);
    void stop(GLFWwindow* window);

    // A key went down (not a repeat). Beyond kMost presses a frame the rest
    // are dropped: nobody types that fast, and a stalled page stays bounded.
    void pressed(int key);
    // The presses since the last call, oldest first.
    std::vector<int> take();

    static constexpr size_t kMost = 64;

private:
    std::vector<int> queue_;
};
