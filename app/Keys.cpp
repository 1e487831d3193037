#include "app/Keys.h"

#include "app/Engine.h"
#include "app/Game.h"

#include <GLFW/glfw3.h>

#include <iterator>
#include <stdexcept>

namespace keys {

namespace {

using toggles::GlEffect;

// The help text lists its keys in this order; the toggles act in it within a
// frame, F11 and F12 after them.
constexpr Key kTable[] = {
    {GLFW_KEY_F1, "F1", "help", "F1 - show Help (toggle)", Kind::Flag,
     {"Help: OFF", "Help: ON"}, &Engine::showHelp},
    {GLFW_KEY_F2, "F2", "frame time", "F2 - show Frametime (toggle)", Kind::Flag,
     {"Frametime: OFF", "Frametime: ON"}, &Engine::showFrameTime, Panel::Control},
    {GLFW_KEY_F3, "F3", "wireframe", "F3 - wireframe mode (toggle)", Kind::Flag,
     {"Wire Frame: OFF", "Wire Frame: ON"}, &Engine::wireframe, Panel::Control,
     {GlEffect::FillMode, GlEffect::LineMode}},
    {GLFW_KEY_F4, "F4", "nearest texture sampling", "F4 - change texture sampling mode",
     Kind::Sampling,
     {"Texture-Sampling-Quality: Bilinear", "Texture-Sampling-Quality: Nearest Neighbor"},
     &Engine::nearestSampling, Panel::Control, {}, nullptr, nullptr, 1},
    {GLFW_KEY_F5, "F5", "mipmaps", "F5 - change mipmap mode", Kind::Mipmaps,
     {"Mip Mapping-Quality: OFF", "Mip Mapping-Quality: Nearest Neighbor",
      "Mip Mapping-Quality: Linear"},
     {}, Panel::Control, {}, &Engine::mipmapMode, "off\0nearest\0linear\0", 1},
    {GLFW_KEY_F6, "F6", "frame-rate limit", "F6 - change FPS limit", Kind::FrameLimit,
     {"maximum FPS: unlimited", "maximum FPS: 60", "maximum FPS: 120", "maximum FPS: 200"},
     {}, Panel::Control, {}, &Engine::fpsLimitMode, "unlimited\0" "60\0" "120\0" "200\0", 2},
    {GLFW_KEY_F7, "F7", "object count", "F7 - show object count (toggle)", Kind::Flag,
     {"Objects counter Disabled", "Object counter Enabled"}, &Engine::showObjectCount,
     Panel::Control},
    {GLFW_KEY_F8, "F8", "view frustum culling", "F8 - disable view frustum culling (toggle)",
     Kind::Flag, {"View Frustum Culling Disabled", "View Frustum Culling Enabled"},
     &Engine::cullingEnabled, Panel::Control, {}, nullptr, nullptr, 1},
    {GLFW_KEY_F9, "F9", "transparency", nullptr, Kind::Flag,
     {"Transparency Disabled", "Transparency Enabled"}, &Engine::transparencyEnabled,
     Panel::Control, {GlEffect::BlendOff, GlEffect::BlendOn}, nullptr, nullptr, 1},
    {GLFW_KEY_F10, "F10", "particle count", nullptr, Kind::Flag,
     {"Particle counter Disabled", "Particle counter Enabled"}, &Engine::showParticleCount,
     Panel::Control},
    {GLFW_KEY_F11, "F11", "full screen", "F11 - full screen (toggle)", Kind::FullScreen,
     {"Fullscreen: OFF", "Fullscreen: ON"}, {}, Panel::Control},
    {GLFW_KEY_F12, "F12", "screenshot", nullptr, Kind::Screenshot},
    {GLFW_KEY_W, "W", "walk forward", nullptr, Kind::Forward},
    {GLFW_KEY_A, "A", "walk left", nullptr, Kind::Left},
    {GLFW_KEY_S, "S", "walk back", nullptr, Kind::Back},
    {GLFW_KEY_D, "D", "walk right", nullptr, Kind::Right},
    {GLFW_KEY_SPACE, "SPACE", "camera tour", nullptr, Kind::Tour, {}, &Engine::cameraTour},
    {GLFW_KEY_G, "G", "glow", "G - glow around the fire (toggle)", Kind::Flag,
     {"Glow: OFF", "Glow: ON"}, &RenderState::glowEnabled, Panel::Control},
    {GLFW_KEY_C, "C", "shadow-cube box", "C - show the shadow cube as a box (toggle)", Kind::Flag,
     {"Shadow Cube: OFF", "Shadow Cube: ON"}, &RenderState::showShadowCube, Panel::Control},
    {GLFW_KEY_M, "M", "mute", "M - mute the fire's sound (toggle)", Kind::Flag,
     {"Sound: ON", "Sound: muted"}, &Sound::muted, Panel::Control},
    {GLFW_KEY_TAB, "Tab", "settings panel", "Tab - settings panel (toggle)", Kind::Flag,
     {"Settings panel: OFF", "Settings panel: ON"}, &Session::panelOpen},
    {GLFW_KEY_ESCAPE, "ESC", "quit", "ESC - quit", Kind::Quit},
};

// F6's steps, as its states and choices name them: none, 60, 120, 200 a second.
constexpr float kFrameTimeLimits[] = {-1.0f, 0.016667f, 0.008333f, 0.005f};

constexpr int toggleCount() {
    int count = 0;
    for (const Key& key : kTable) count += isToggle(key.kind) ? 1 : 0;
    return count;
}
// Engine::keyLatches has one latch per toggle.
static_assert(toggleCount() == toggles::kKeyCount, "toggles::kKeyCount must count the toggles");

}  // namespace

const std::vector<Key>& all() {
    static const std::vector<Key> table(std::begin(kTable), std::end(kTable));
    return table;
}

int digitFor(int code) {
    if (code >= GLFW_KEY_F1 && code <= GLFW_KEY_F9) return GLFW_KEY_1 + (code - GLFW_KEY_F1);
    return code == GLFW_KEY_F10 ? GLFW_KEY_0 : 0;
}

int frameLimitSteps() { return static_cast<int>(std::size(kFrameTimeLimits)); }

float frameTimeLimit(int step) {
    return kFrameTimeLimits[step >= 0 && step < frameLimitSteps() ? step : 0];
}

bool* flagOf(const Key& key, Engine& engine) {
    if (key.flag.engine != nullptr) return &(engine.*key.flag.engine);
    if (key.flag.render != nullptr && engine.render != nullptr) {
        return &(engine.render->*key.flag.render);
    }
    if (key.flag.session != nullptr && engine.game != nullptr) {
        return &(engine.game->session.*key.flag.session);
    }
    if (key.flag.sound != nullptr && engine.game != nullptr) {
        return &(engine.game->sound.*key.flag.sound);
    }
    return nullptr;
}

void applyGlEffects(Engine& engine) {
    for (const Key& key : all()) {
        const bool* flag = flagOf(key, engine);
        if (flag == nullptr || key.kind != Kind::Flag) continue;
        toggles::applyEffect(key.effects[*flag ? 1 : 0], engine.textureCache, *engine.render);
    }
}

void setStartValues(Engine& engine) {
    for (const Key& key : all()) {
        bool* flag = flagOf(key, engine);
        if (flag != nullptr && key.kind != Kind::Tour) *flag = key.start != 0;
        if (key.mode != nullptr) engine.*key.mode = key.start;
    }
    engine.frameTimeLimit = frameTimeLimit(engine.fpsLimitMode);
    for (bool& latch : engine.keyLatches) latch = false;
}

const Key& of(Kind kind) {
    for (const Key& key : all()) {
        if (key.kind == kind) return key;
    }
    throw std::logic_error("no key of this kind");
}

}  // namespace keys
