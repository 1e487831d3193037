#include "app/Toggles.h"

#include "app/Engine.h"
#include "app/Keys.h"
#include "render/RenderState.h"

#include <GLFW/glfw3.h>

#include <iterator>
#include <vector>

namespace toggles {

namespace {

Action say(const std::string& message, GlEffect effect = GlEffect::None) {
    Action action;
    action.announce = true;
    action.message = message;
    action.effect = effect;
    return action;
}

// The next of a mode key's `steps` steps; the key's state in the engine.
int step(const keys::Key& key, Engine& e, int steps) {
    int& mode = e.*key.mode;
    mode = (mode + 1) % steps;
    return mode;
}

// OpenGL ES has no polygon mode: there the wireframe stays off.
bool drawsLines(const Engine& e) { return e.render == nullptr || e.render->caps.drawsLines; }

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

const keys::Key& key(int index) {
    static const std::vector<const keys::Key*> order = [] {
        std::vector<const keys::Key*> list;
        for (const keys::Key& k : keys::all()) {
            if (keys::isToggle(k.kind)) list.push_back(&k);
        }
        return list;
    }();
    return *order.at(static_cast<size_t>(index));
}

Action act(const keys::Key& key, Engine& e) {
    switch (key.kind) {
        case keys::Kind::Flag: {
            bool* flag = keys::flagOf(key, e);
            if (flag == nullptr) return Action();
            bool& on = *flag;
            if (!on && key.effects[1] == GlEffect::LineMode && !drawsLines(e)) {
                return say("Wire Frame: not on OpenGL ES");
            }
            on = !on;
            return say(key.states[on], key.effects[on]);
        }
        case keys::Kind::Sampling: {
            bool& nearest = *keys::flagOf(key, e);
            nearest = !nearest;
            e.textureCache.magFilter = nearest ? GL_NEAREST : GL_LINEAR;
            return say(key.states[nearest], GlEffect::ResampleTextures);
        }
        case keys::Kind::Mipmaps: {
            static const GLint filters[] = {GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST,
                                            GL_LINEAR_MIPMAP_LINEAR};
            const int mode = step(key, e, static_cast<int>(std::size(filters)));
            e.textureCache.minFilter = filters[mode];
            return say(key.states[mode], GlEffect::ResampleTextures);
        }
        case keys::Kind::FrameLimit: {
            const int mode = step(key, e, keys::frameLimitSteps());
            e.frameTimeLimit = keys::frameTimeLimit(mode);
            return say(key.states[mode]);
        }
        case keys::Kind::Tour: {
            bool& tour = *keys::flagOf(key, e);
            tour = !tour;
            return Action();
        }
        default:
            return Action();
    }
}

Action act(int index, Engine& e) { return act(key(index), e); }

int indexOf(int code) {
    for (int i = 0; i < kKeyCount; ++i) {
        if (key(i).code == code || (code != 0 && keys::digitFor(key(i).code) == code)) return i;
    }
    return -1;
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

void applyEffect(GlEffect effect, TextureCache& cache, RenderState& render) {
    switch (effect) {
        case GlEffect::None:
        case GlEffect::LineMode:
        case GlEffect::FillMode:
            break;
        case GlEffect::ResampleTextures:
            cache.applySampling();
            break;
        case GlEffect::BlendOn:
        case GlEffect::BlendOff:
            render.sceneBlending = effect == GlEffect::BlendOn;
            break;
    }
}

}  // namespace toggles
