#include "app/Game.h"
#include "app/Toggles.h"

#include <GLFW/glfw3.h>

camera::WalkKeys Engine::handleInput(double elapsed) {
    Session& session = game->session;
    // ESC ends the main loop; so does the surface's close (the loop asks it).
    surface->pollEvents();
    // While a text field of the panel has the keyboard, the keys type there.
    const bool typing = panelTyping();
    if (!typing && surface->keyDown(GLFW_KEY_ESCAPE)) game->quit = true;

    // A key is down on the keyboard or in the --auto-keys script.
    auto isDown = [this, &session, typing](int key) {
        return !typing &&
               (surface->keyDown(key) || session.keyScript.holds(key, session.frameCount));
    };
    camera::WalkKeys walking;
    walking.forward = isDown(GLFW_KEY_W);
    walking.back = isDown(GLFW_KEY_S);
    walking.left = isDown(GLFW_KEY_A);
    walking.right = isDown(GLFW_KEY_D);

    bool toggleKeys[toggles::kKeyCount];
    for (int i = 0; i < toggles::kKeyCount; ++i) toggleKeys[i] = isDown(toggles::kKeys[i]);
    toggles::scan(*this, toggleKeys, [this](const toggles::Action& action) {
        if (action.announce) showStatus(action.message);
        toggles::applyEffect(action.effect, textureCache);
    });
    // F11 switches between the window and full screen on its monitor.
    if (toggles::pressed(isDown(GLFW_KEY_F11), fullScreenLatch)) {
        surface->setFullScreen(!surface->fullScreen());
        showStatus(surface->fullScreen() ? "Fullscreen: ON" : "Fullscreen: OFF");
    }
    // F12 asks for a screenshot of the frame about to be drawn.
    if (toggles::pressed(isDown(GLFW_KEY_F12), screenshotLatch)) session.screenshotRequested = true;
    toggles::ageStatus(*this, elapsed);
    followPanel();
    return walking;
}

void Engine::showStatus(std::string text, bool echo) {
    statusText = std::move(text);
    statusTimer = 2.0f;
    echoStatus = echo;
}
