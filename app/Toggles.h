#pragma once
// The render toggles as decisions on the engine record: which key flips what,
// the status message it announces and the GL change it asks for. The input
// step (app/Input.cpp) feeds the key states in and performs the GL side.

#include <functional>
#include <string>

class Engine;
class TextureCache;

namespace toggles {

// F1..F10, SPACE, G, C and Tab, in the order they act within one frame.
constexpr int kKeyCount = 14;
extern const int kKeys[kKeyCount];

enum class GlEffect { None, LineMode, FillMode, ResampleTextures, BlendOn, BlendOff };

struct Action {
    bool announce = false;  // SPACE switches silently
    std::string message;
    GlEffect effect = GlEffect::None;
};

// Press edge: true once per press however long the key is held; the latch
// remembers that the key has been seen down.
bool pressed(bool down, bool& latch);

// Flips the toggle of key `index` (0 = F1 ... 9 = F10, 10 = SPACE, 11 = G,
// 12 = C, 13 = Tab).
Action act(int index, Engine& engine);

// One frame of toggle keys in their fixed order; `perform` receives each
// action as soon as its key acts, so a later key sees the earlier GL change.
void scan(Engine& engine, const bool down[kKeyCount],
          const std::function<void(const Action&)>& perform);

// Counts the status message down by this frame's time; empties it once its
// time has run out.
void ageStatus(Engine& engine, double elapsed);

// The GL side of an action.
void applyEffect(GlEffect effect, TextureCache& cache);

}  // namespace toggles
