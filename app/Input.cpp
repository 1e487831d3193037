#include "app/Game.h"
#include "app/Keys.h"
#include "app/Toggles.h"

camera::WalkKeys Engine::handleInput(double elapsed) {
    Session& session = game->session;
    // ESC ends the main loop; so does the surface's close (the loop asks it).
    surface->pollEvents();
    // While a text field of the panel has the keyboard, the keys type there.
    const bool typing = panelTyping();
    if (!typing && surface->keyDown(keys::of(keys::Kind::Quit).code)) game->quit = true;

    // A key is down on the keyboard (or its digit is) or in the --auto-keys script.
    auto down = [this, &session, typing](const keys::Key& key) {
        const int digit = keys::digitFor(key.code);
        return !typing && (surface->keyDown(key.code) || (digit != 0 && surface->keyDown(digit)) ||
                           session.keyScript.holds(key.code, session.frameCount));
    };
    auto isDown = [&down](keys::Kind kind) { return down(keys::of(kind)); };
    camera::WalkKeys walking;
    walking.forward = isDown(keys::Kind::Forward);
    walking.back = isDown(keys::Kind::Back);
    walking.left = isDown(keys::Kind::Left);
    walking.right = isDown(keys::Kind::Right);

    bool toggleKeys[toggles::kKeyCount];
    for (int i = 0; i < toggles::kKeyCount; ++i) toggleKeys[i] = down(toggles::key(i));
    toggles::scan(*this, toggleKeys, [this](const toggles::Action& action) {
        if (action.announce) showStatus(action.message);
        toggles::applyEffect(action.effect, textureCache, *render->backend);
    });
    // F11 switches between the window and full screen on its monitor.
    if (toggles::pressed(isDown(keys::Kind::FullScreen), game->session.fullScreenLatch)) {
        surface->setFullScreen(!surface->fullScreen());
        showStatus(keys::of(keys::Kind::FullScreen).states[surface->fullScreen()]);
    }
    // F12 asks for a screenshot of the frame about to be drawn.
    if (toggles::pressed(isDown(keys::Kind::Screenshot), game->session.screenshotLatch)) {
        session.screenshotRequested = true;
    }
    toggles::ageStatus(*this, elapsed);
    followPanel();
    return walking;
}

void Engine::showStatus(std::string text, bool echo) {
    statusText = std::move(text);
    statusTimer = 2.0f;
    echoStatus = echo;
}
