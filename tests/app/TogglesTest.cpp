#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Engine.h"
#include "app/Game.h"
#include "app/Keys.h"
#include "app/Toggles.h"
#include "render/RenderState.h"

#include <GLFW/glfw3.h>

namespace {

enum Key { F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, SPACE, G, C, M, TAB };

// Runs one input frame's toggle step with the given keys down, the way the
// input step does (status first), and returns the actions in order.
std::vector<toggles::Action> inputFrame(Engine& engine, std::initializer_list<Key> held) {
    bool down[toggles::kKeyCount] = {};
    for (Key k : held) down[k] = true;
    std::vector<toggles::Action> actions;
    toggles::scan(engine, down, [&](const toggles::Action& action) {
        if (action.announce) engine.showStatus(action.message);
        actions.push_back(action);
    });
    return actions;
}

// Presses and releases one key, returning the message it announced.
std::string tap(Engine& engine, Key key) {
    const std::vector<toggles::Action> actions = inputFrame(engine, {key});
    inputFrame(engine, {});
    return actions.size() == 1 ? actions[0].message : "<" + std::to_string(actions.size()) + ">";
}

}  // namespace

TEST(Toggles, KeysActInTheFixedOrder) {
    const int expected[] = {GLFW_KEY_F1, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F4,
                            GLFW_KEY_F5, GLFW_KEY_F6, GLFW_KEY_F7, GLFW_KEY_F8,
                            GLFW_KEY_F9, GLFW_KEY_F10, GLFW_KEY_SPACE, GLFW_KEY_G,
                            GLFW_KEY_C, GLFW_KEY_M, GLFW_KEY_TAB};
    // F1 ... F10 have the digits 1 ... 9, 0 besides; the rest none.
    const int digits[] = {GLFW_KEY_1, GLFW_KEY_2, GLFW_KEY_3, GLFW_KEY_4, GLFW_KEY_5,
                          GLFW_KEY_6, GLFW_KEY_7, GLFW_KEY_8, GLFW_KEY_9, GLFW_KEY_0,
                          0, 0, 0, 0, 0};
    for (int i = 0; i < toggles::kKeyCount; ++i) {
        EXPECT_EQ(toggles::key(i).code, expected[i]);
        EXPECT_EQ(keys::digitFor(toggles::key(i).code), digits[i]) << toggles::key(i).name;
        // A press of the key or of its digit is a press of the toggle.
        EXPECT_EQ(toggles::indexOf(expected[i]), i);
        if (digits[i] != 0) {
            EXPECT_EQ(toggles::indexOf(digits[i]), i);
        }
    }
    for (int other : {GLFW_KEY_W, GLFW_KEY_F11, GLFW_KEY_F12, GLFW_KEY_ESCAPE, 0, -1}) {
        EXPECT_EQ(toggles::indexOf(other), -1) << other;
    }
    EXPECT_EQ(toggles::key(0).code, 290);
    EXPECT_EQ(toggles::key(10).code, 32);
    // No digit is a key of its own, nor the F11 and F12 beyond the toggles'.
    for (const keys::Key& key : keys::all()) {
        EXPECT_EQ(keys::digitFor(key.code) != 0, key.code >= GLFW_KEY_F1 && key.code <= GLFW_KEY_F10);
        EXPECT_FALSE(key.code >= GLFW_KEY_0 && key.code <= GLFW_KEY_9) << key.name;
    }
}

TEST(Toggles, OnOffPairsAnnounceTheStateAfterTheFlip) {
    // G, C and Tab switch the passes' state and the session, as start-up links them.
    Game game;
    Engine& e = game.engine;
    e.game = &game;
    e.render = &game.render;
    EXPECT_EQ(tap(e, F1), "Help: ON");
    EXPECT_EQ(tap(e, F1), "Help: OFF");
    EXPECT_EQ(tap(e, F2), "Frametime: ON");
    EXPECT_EQ(tap(e, F2), "Frametime: OFF");
    EXPECT_EQ(tap(e, F7), "Object counter Enabled");
    EXPECT_EQ(tap(e, F7), "Objects counter Disabled");
    EXPECT_EQ(tap(e, F8), "View Frustum Culling Disabled");  // culling starts on
    EXPECT_FALSE(e.cullingEnabled);
    EXPECT_EQ(tap(e, F8), "View Frustum Culling Enabled");
    EXPECT_EQ(tap(e, F10), "Particle counter Enabled");
    EXPECT_TRUE(e.showParticleCount);
    EXPECT_EQ(tap(e, F10), "Particle counter Disabled");
    EXPECT_EQ(tap(e, TAB), "Settings panel: ON");
    EXPECT_TRUE(game.session.panelOpen);
    EXPECT_EQ(tap(e, TAB), "Settings panel: OFF");
    // M mutes the sound record's output, and unmutes it.
    EXPECT_EQ(tap(e, M), "Sound: muted");
    EXPECT_TRUE(game.sound.muted);
    EXPECT_EQ(tap(e, M), "Sound: ON");
    EXPECT_FALSE(game.sound.muted);
    // The glow and the shadow-cube box start off; the frame reads their flags.
    EXPECT_EQ(tap(e, G), "Glow: ON");
    EXPECT_TRUE(game.render.glowEnabled);
    EXPECT_EQ(tap(e, G), "Glow: OFF");
    EXPECT_FALSE(game.render.glowEnabled);
    EXPECT_EQ(tap(e, C), "Shadow Cube: ON");
    EXPECT_TRUE(game.render.showShadowCube);
    EXPECT_EQ(tap(e, C), "Shadow Cube: OFF");
    EXPECT_FALSE(game.render.showShadowCube);
    EXPECT_EQ(toggles::act(G, e).effect, toggles::GlEffect::None);
}

TEST(Toggles, WireFrameAndTransparencyAskForTheirGlChange) {
    Engine e;
    toggles::Action on = toggles::act(F3, e);
    EXPECT_EQ(on.message, "Wire Frame: ON");
    EXPECT_EQ(on.effect, toggles::GlEffect::LineMode);
    toggles::Action off = toggles::act(F3, e);
    EXPECT_EQ(off.message, "Wire Frame: OFF");
    EXPECT_EQ(off.effect, toggles::GlEffect::FillMode);

    toggles::Action blendOff = toggles::act(F9, e);  // transparency starts on
    EXPECT_EQ(blendOff.message, "Transparency Disabled");
    EXPECT_EQ(blendOff.effect, toggles::GlEffect::BlendOff);
    toggles::Action blendOn = toggles::act(F9, e);
    EXPECT_EQ(blendOn.message, "Transparency Enabled");
    EXPECT_EQ(blendOn.effect, toggles::GlEffect::BlendOn);

    // OpenGL ES has no polygon mode: F3 says so and changes nothing.
    RenderState es;
    es.backend = RenderBackend::create(true);
    e.render = &es;
    toggles::Action refused = toggles::act(F3, e);
    EXPECT_EQ(refused.message, "Wire Frame: not on OpenGL ES");
    EXPECT_EQ(refused.effect, toggles::GlEffect::None);
    EXPECT_FALSE(e.wireframe);
}

TEST(Toggles, FirstF4PressSwitchesToBilinear) {
    Engine e;
    toggles::Action a = toggles::act(F4, e);
    EXPECT_EQ(a.message, "Texture-Sampling-Quality: Bilinear");
    EXPECT_EQ(a.effect, toggles::GlEffect::ResampleTextures);
    EXPECT_FALSE(e.nearestSampling);
    EXPECT_EQ(e.textureCache.magFilter, GL_LINEAR);
    toggles::Action b = toggles::act(F4, e);
    EXPECT_EQ(b.message, "Texture-Sampling-Quality: Nearest Neighbor");
    EXPECT_EQ(e.textureCache.magFilter, GL_NEAREST);
}

TEST(Toggles, F5CyclesThroughTheMipMappingModes) {
    Engine e;
    EXPECT_EQ(tap(e, F5), "Mip Mapping-Quality: Linear");
    EXPECT_EQ(e.textureCache.minFilter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(tap(e, F5), "Mip Mapping-Quality: OFF");
    EXPECT_EQ(e.textureCache.minFilter, GL_LINEAR);
    EXPECT_EQ(tap(e, F5), "Mip Mapping-Quality: Nearest Neighbor");
    EXPECT_EQ(e.textureCache.minFilter, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(e.mipmapMode, 1);
}

TEST(Toggles, F6CyclesThroughTheFrameRateLimits) {
    Engine e;
    EXPECT_EQ(tap(e, F6), "maximum FPS: 200");
    EXPECT_FLOAT_EQ(e.frameTimeLimit, 0.005f);
    EXPECT_EQ(tap(e, F6), "maximum FPS: unlimited");
    EXPECT_FLOAT_EQ(e.frameTimeLimit, -1.0f);
    EXPECT_EQ(tap(e, F6), "maximum FPS: 60");
    EXPECT_FLOAT_EQ(e.frameTimeLimit, 0.016667f);
    EXPECT_EQ(tap(e, F6), "maximum FPS: 120");
    EXPECT_FLOAT_EQ(e.frameTimeLimit, 0.008333f);
    EXPECT_EQ(e.fpsLimitMode, 2);
}

TEST(Toggles, SpaceSwitchesTheTourSilently) {
    Engine e;
    const std::vector<toggles::Action> actions = inputFrame(e, {SPACE});
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_FALSE(actions[0].announce);
    EXPECT_EQ(actions[0].effect, toggles::GlEffect::None);
    EXPECT_TRUE(e.cameraTour);
    EXPECT_TRUE(e.statusText.empty());
    EXPECT_FALSE(e.echoStatus);
}

TEST(Toggles, HeldKeyActsOncePerPress) {
    Engine e;
    for (int i = 0; i < 30; ++i) inputFrame(e, {F3});
    EXPECT_TRUE(e.wireframe);
    inputFrame(e, {});
    inputFrame(e, {F3});
    EXPECT_FALSE(e.wireframe);
}

TEST(Toggles, KeyHeldAtStartActsOnTheFirstFrame) {
    bool latch = false;
    EXPECT_TRUE(toggles::pressed(true, latch));
    EXPECT_FALSE(toggles::pressed(true, latch));
    EXPECT_FALSE(toggles::pressed(false, latch));
    EXPECT_FALSE(latch);
    EXPECT_TRUE(toggles::pressed(true, latch));
}

TEST(Toggles, TwoKeysInOneFrameBothActAndTheLaterMessageWins) {
    Engine e;
    const std::vector<toggles::Action> actions = inputFrame(e, {F7, F1});
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].message, "Help: ON");
    EXPECT_EQ(actions[1].message, "Object counter Enabled");
    EXPECT_TRUE(e.showHelp);
    EXPECT_TRUE(e.showObjectCount);
    EXPECT_EQ(e.statusText, "Object counter Enabled");
}

TEST(Toggles, StatusIsShownForTwoSecondsOfFrameTime) {
    Engine e;
    e.showStatus("Help: ON");
    EXPECT_EQ(e.statusText, "Help: ON");
    EXPECT_FLOAT_EQ(e.statusTimer, 2.0f);
    EXPECT_TRUE(e.echoStatus);

    toggles::ageStatus(e, 0.5);  // a new message is aged in its own frame
    EXPECT_FLOAT_EQ(e.statusTimer, 1.5f);
    for (int i = 0; i < 3; ++i) toggles::ageStatus(e, 0.5);
    EXPECT_EQ(e.statusText, "Help: ON");  // the timer just reached zero
    toggles::ageStatus(e, 0.5);
    EXPECT_EQ(e.statusText, "");
    EXPECT_FLOAT_EQ(e.statusTimer, 0.0f);
}
