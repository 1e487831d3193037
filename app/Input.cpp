#include "app/Game.h"
#include "app/Keys.h"
#include "app/Toggles.h"

#include <algorithm>
#include <vector>

camera::WalkKeys Engine::handleInput(double elapsed) {
    Session& session = game->session;
    // ESC ends the main loop; so does the surface's close (the loop asks it).
    surface->pollEvents();
    // While a text field of the panel has the keyboard, the keys type there.
    const bool typing = panelTyping();
    std::vector<int> presses = surface->takeKeyPresses();
    if (typing) presses.clear();
    const auto pressed = [&presses](keys::Kind kind) {
        return std::find(presses.begin(), presses.end(), keys::of(kind).code) != presses.end();
    };
    const int quitKey = keys::of(keys::Kind::Quit).code;
    const bool quitPressed = pressed(keys::Kind::Quit) || (!typing && surface->keyDown(quitKey));
    if (quitPressed && surface->escapeQuits()) game->quit = true;

    // Walking lasts while a key is held, on the keyboard or in the --auto-keys script.
    auto held = [this, &session, typing](keys::Kind kind) {
        const int code = keys::of(kind).code;
        return !typing &&
               (surface->keyDown(code) || session.keyScript.holds(code, session.frameCount));
    };
    camera::WalkKeys walking;
    walking.forward = held(keys::Kind::Forward);
    walking.back = held(keys::Kind::Back);
    walking.left = held(keys::Kind::Left);
    walking.right = held(keys::Kind::Right);

    // The toggles act once per press the window system delivered, in its
    // order, then once per key the script presses.
    const auto perform = [this](const toggles::Action& action) {
        if (action.announce) showStatus(action.message);
        toggles::applyEffect(action.effect, textureCache, *render);
    };
    for (int code : presses) {
        const int toggle = toggles::indexOf(code);
        if (toggle >= 0) perform(toggles::act(toggle, *this));
    }
    bool scripted[toggles::kKeyCount];
    for (int i = 0; i < toggles::kKeyCount; ++i) {
        scripted[i] = !typing && session.keyScript.holds(toggles::key(i).code, session.frameCount);
    }
    toggles::scan(*this, scripted, perform);
    // F11 switches between the window and full screen on its monitor.
    if (pressed(keys::Kind::FullScreen)) {
        surface->setFullScreen(!surface->fullScreen());
        showStatus(keys::of(keys::Kind::FullScreen).states[surface->fullScreen()]);
    }
    // F12 asks for a screenshot of the frame about to be drawn.
    if (pressed(keys::Kind::Screenshot)) session.screenshotRequested = true;
    toggles::ageStatus(*this, elapsed);
    followPanel();
    return walking;
}

void Engine::showStatus(std::string text, bool echo) {
    statusText = std::move(text);
    statusTimer = 2.0f;
    echoStatus = echo;
}
