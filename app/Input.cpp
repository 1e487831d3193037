#include "app/Game.h"
#include "app/Toggles.h"

void Engine::handleInput(double elapsed) {
    // End conditions of the main loop. Headless there is no window and no
    // keyboard: only --auto-keys presses keys, and the run ends by its options.
    if (!options.headless) {
        glfwPollEvents();
        if (glfwGetKey(window, GLFW_KEY_ESCAPE) != GLFW_RELEASE) game->quit = true;
        closeRequested = glfwWindowShouldClose(window) != 0;
    }

    auto isDown = [this](int key) {
        const bool held = !options.headless && glfwGetKey(window, key) != GLFW_RELEASE;
        return held || keyScript.holds(key, frameCount);
    };
    const bool forward = isDown(GLFW_KEY_W);
    const bool back = isDown(GLFW_KEY_S);
    const bool left = isDown(GLFW_KEY_A);
    const bool right = isDown(GLFW_KEY_D);

    bool toggleKeys[toggles::kKeyCount];
    for (int i = 0; i < toggles::kKeyCount; ++i) toggleKeys[i] = isDown(toggles::kKeys[i]);
    toggles::scan(*this, toggleKeys, [this](const toggles::Action& action) {
        if (action.announce) showStatus(action.message);
        toggles::applyEffect(action.effect, textureCache);
    });
    // F11 switches between the window and full screen on its monitor.
    if (toggles::pressed(isDown(GLFW_KEY_F11), fullScreenLatch)) {
        setFullScreen(!fullscreen);
        showStatus(fullscreen ? "Fullscreen: ON" : "Fullscreen: OFF");
    }
    // F12 asks for a screenshot of the frame about to be drawn.
    if (toggles::pressed(isDown(GLFW_KEY_F12), screenshotLatch)) screenshotRequested = true;
    toggles::ageStatus(*this, elapsed);

    moveCamera(forward, back, left, right, elapsed);
    // The tour owns the view; the mouse is ignored and no longer re-centred.
    if (!cameraTour && !options.headless) mouseLook();
}

void Engine::showStatus(std::string text, bool echo) {
    statusText = std::move(text);
    statusTimer = 2.0f;
    echoStatus = echo;
}
