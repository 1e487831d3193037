#include "app/Game.h"
#include "app/Toggles.h"

#include <GLFW/glfw3.h>

void Engine::handleInput(double elapsed) {
    // ESC ends the main loop; so does the surface's close (the loop asks it).
    surface->pollEvents();
    // While a text field of the panel has the keyboard, the keys type there.
    const bool typing = panelTyping();
    if (!typing && surface->keyDown(GLFW_KEY_ESCAPE)) game->quit = true;

    // A key is down on the keyboard or in the --auto-keys script.
    auto isDown = [this, typing](int key) {
        return !typing && (surface->keyDown(key) || keyScript.holds(key, game->frameCount));
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
        surface->setFullScreen(!surface->fullScreen());
        showStatus(surface->fullScreen() ? "Fullscreen: ON" : "Fullscreen: OFF");
    }
    // F12 asks for a screenshot of the frame about to be drawn.
    if (toggles::pressed(isDown(GLFW_KEY_F12), screenshotLatch)) screenshotRequested = true;
    toggles::ageStatus(*this, elapsed);
    followPanel();

    moveCamera(forward, back, left, right, elapsed);
    // The tour owns the view; the mouse is ignored and no longer re-centred.
    // The open panel has the mouse.
    if (!cameraTour && !cursorFree) mouseLook();
}

void Engine::showStatus(std::string text, bool echo) {
    statusText = std::move(text);
    statusTimer = 2.0f;
    echoStatus = echo;
}
