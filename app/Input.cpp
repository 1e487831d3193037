#include "app/Game.h"
#include "app/Keys.h"
#include "app/Toggles.h"

void Engine::handleInput(double elapsed) {
    // ESC ends the main loop; so does the surface's close (the loop asks it).
    surface->pollEvents();
    // While a text field of the panel has the keyboard, the keys type there.
    const bool typing = panelTyping();
    if (!typing && surface->keyDown(keys::of(keys::Kind::Quit).code)) game->quit = true;

    // A key is down on the keyboard or in the --auto-keys script.
    auto down = [this, typing](const keys::Key& key) {
        return !typing &&
               (surface->keyDown(key.code) || keyScript.holds(key.code, game->frameCount));
    };
    auto isDown = [&down](keys::Kind kind) { return down(keys::of(kind)); };
    const bool forward = isDown(keys::Kind::Forward);
    const bool back = isDown(keys::Kind::Back);
    const bool left = isDown(keys::Kind::Left);
    const bool right = isDown(keys::Kind::Right);

    bool toggleKeys[toggles::kKeyCount];
    for (int i = 0; i < toggles::kKeyCount; ++i) toggleKeys[i] = down(toggles::key(i));
    toggles::scan(*this, toggleKeys, [this](const toggles::Action& action) {
        if (action.announce) showStatus(action.message);
        toggles::applyEffect(action.effect, textureCache);
    });
    // F11 switches between the window and full screen on its monitor.
    if (toggles::pressed(isDown(keys::Kind::FullScreen), fullScreenLatch)) {
        surface->setFullScreen(!surface->fullScreen());
        showStatus(keys::of(keys::Kind::FullScreen).states[surface->fullScreen()]);
    }
    // F12 asks for a screenshot of the frame about to be drawn.
    if (toggles::pressed(isDown(keys::Kind::Screenshot), screenshotLatch)) {
        screenshotRequested = true;
    }
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
