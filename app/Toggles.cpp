#include "app/Toggles.h"

#include "app/Engine.h"

#include <GLFW/glfw3.h>

namespace toggles {

const int kKeys[kKeyCount] = {GLFW_KEY_F1, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F4,
                              GLFW_KEY_F5, GLFW_KEY_F6, GLFW_KEY_F7, GLFW_KEY_F8,
                              GLFW_KEY_F9, GLFW_KEY_F10, GLFW_KEY_SPACE, GLFW_KEY_G,
                              GLFW_KEY_C, GLFW_KEY_TAB};

namespace {

Action say(const std::string& message, GlEffect effect = GlEffect::None) {
    Action action;
    action.announce = true;
    action.message = message;
    action.effect = effect;
    return action;
}

// Flips `flag` and announces the message for its new state.
Action flip(bool& flag, const char* on, const char* off, GlEffect onEffect = GlEffect::None,
            GlEffect offEffect = GlEffect::None) {
    flag = !flag;
    return flag ? say(on, onEffect) : say(off, offEffect);
}

}  // namespace

bool pressed(bool down, bool& latch) {
    if (!down) {
        latch = false;
        return false;
    }
    if (latch) return false;
    latch = true;
    return true;
}

Action act(int index, Engine& e) {
    switch (index) {
        case 0:
            return flip(e.showHelp, "Help: ON", "Help: OFF");
        case 1:
            return flip(e.showFrameTime, "Frametime: ON", "Frametime: OFF");
        case 2:
            return flip(e.wireframe, "Wire Frame: ON", "Wire Frame: OFF", GlEffect::LineMode,
                        GlEffect::FillMode);
        case 3:
            e.nearestSampling = !e.nearestSampling;
            e.textureCache.magFilter = e.nearestSampling ? GL_NEAREST : GL_LINEAR;
            return say(e.nearestSampling ? "Texture-Sampling-Quality: Nearest Neighbor"
                                         : "Texture-Sampling-Quality: Bilinear",
                       GlEffect::ResampleTextures);
        case 4: {
            static const GLint filters[3] = {GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST,
                                             GL_LINEAR_MIPMAP_LINEAR};
            static const char* const messages[3] = {"Mip Mapping-Quality: OFF",
                                                    "Mip Mapping-Quality: Nearest Neighbor",
                                                    "Mip Mapping-Quality: Linear"};
            e.mipmapMode = (e.mipmapMode + 1) % 3;
            e.textureCache.minFilter = filters[e.mipmapMode];
            return say(messages[e.mipmapMode], GlEffect::ResampleTextures);
        }
        case 5: {
            static const float limits[4] = {-1.0f, 0.016667f, 0.008333f, 0.005f};
            static const char* const messages[4] = {"maximum FPS: unlimited", "maximum FPS: 60",
                                                    "maximum FPS: 120", "maximum FPS: 200"};
            e.fpsLimitMode = (e.fpsLimitMode + 1) % 4;
            e.frameTimeLimit = limits[e.fpsLimitMode];
            return say(messages[e.fpsLimitMode]);
        }
        case 6:
            return flip(e.showObjectCount, "Object counter Enabled", "Objects counter Disabled");
        case 7:
            return flip(e.cullingEnabled, "View Frustum Culling Enabled",
                        "View Frustum Culling Disabled");
        case 8:
            return flip(e.transparencyEnabled, "Transparency Enabled", "Transparency Disabled",
                        GlEffect::BlendOn, GlEffect::BlendOff);
        case 9:
            return flip(e.showParticleCount, "Particle counter Enabled",
                        "Particle counter Disabled");
        case 10:
            e.cameraTour = !e.cameraTour;
            return Action();
        case 11:
            return flip(e.glowEnabled, "Glow: ON", "Glow: OFF");
        case 12:
            return flip(e.showShadowCube, "Shadow Cube: ON", "Shadow Cube: OFF");
        case 13:
            return flip(e.panelOpen, "Settings panel: ON", "Settings panel: OFF");
        default:
            return Action();
    }
}

void scan(Engine& engine, const bool down[kKeyCount],
          const std::function<void(const Action&)>& perform) {
    for (int i = 0; i < kKeyCount; ++i) {
        if (pressed(down[i], engine.keyLatches[i])) perform(act(i, engine));
    }
}

void ageStatus(Engine& engine, double elapsed) {
    if (engine.statusTimer > 0.0f) {
        engine.statusTimer -= static_cast<float>(elapsed);
    } else {
        engine.statusText = "";
        engine.statusTimer = 0.0f;
    }
}

void applyEffect(GlEffect effect, TextureCache& cache) {
    switch (effect) {
        case GlEffect::None:
            break;
        case GlEffect::LineMode:
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            break;
        case GlEffect::FillMode:
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            break;
        case GlEffect::ResampleTextures:
            cache.applySampling();
            break;
        case GlEffect::BlendOn:
            glEnable(GL_BLEND);
            break;
        case GlEffect::BlendOff:
            glDisable(GL_BLEND);
            break;
    }
}

}  // namespace toggles
