#pragma once
// The render toggles as decisions on the engine's records: which key flips
// what, the status message it announces and the GL change it asks for. The
// input step (app/Input.cpp) feeds the key presses in and performs the GL side.

#include <functional>
#include <string>

class Engine;
struct RenderState;
class TextureCache;
namespace keys {
struct Key;
}

namespace toggles {

// The toggles of the key table (app/Keys.cpp), F1..F10, SPACE, G, C and Tab,
// in its order, which is the order the script's keys act in within one frame
// (the keyboard's act in the order they were pressed); the table checks the
// count when it compiles.
constexpr int kKeyCount = 15;

enum class GlEffect { None, LineMode, FillMode, ResampleTextures, BlendOn, BlendOff };

struct Action {
    bool announce = false;  // SPACE switches silently
    std::string message;
    GlEffect effect = GlEffect::None;
};

// Press edge: true once per press however long the key is held; the latch
// remembers that the key has been seen down.
bool pressed(bool down, bool& latch);

// The toggle that acts `index`th in a frame (0 = F1 ... 13 = Tab); its
// latch is Engine::keyLatches[index].
const keys::Key& key(int index);

// The toggle that a key code (or the digit of its F key) presses, or -1.
int indexOf(int code);

// Flips the toggle of a key of the table.
Action act(const keys::Key& key, Engine& engine);
Action act(int index, Engine& engine);

// One frame of held toggle keys (the --auto-keys script's) in their fixed
// order, each acting on its press edge; `perform` receives each action as
// soon as its key acts, so a later key sees the earlier GL change.
void scan(Engine& engine, const bool down[kKeyCount],
          const std::function<void(const Action&)>& perform);

// Counts the status message down by this frame's time; empties it once its
// time has run out.
void ageStatus(Engine& engine, double elapsed);

// The GL side of an action: the textures' filters, or the blending the
// frame's scene passes take (F9). F3's lines need nothing here: the frame
// reads the wireframe switch into each pass's state.
void applyEffect(GlEffect effect, TextureCache& cache, RenderState& render);

}  // namespace toggles
