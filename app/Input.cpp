#include "app/Game.h"

void Engine::handleInput(double elapsed) {
    (void)elapsed;
    // End conditions of the main loop.
    glfwPollEvents();
    if (glfwGetKey(window, GLFW_KEY_ESCAPE) != GLFW_RELEASE) game->quit = true;
    closeRequested = glfwWindowShouldClose(window) != 0;
}
