#pragma once
// Every key the demo answers, as one table: the toggles (app/Toggles.cpp), the
// help text, the usage text, the settings panel's switches and the
// --auto-keys cycle are all read from it.

#include <vector>

#include "app/Toggles.h"

class Engine;
struct RenderState;
struct Session;
class Sound;

namespace keys {

enum class Kind {
    Flag,        // flips `flag`, announcing states[flag] and asking for effects[flag]
    Sampling,    // F4: a flag that also picks the magnification filter
    Mipmaps,     // F5: steps `mode` through the minification filters
    FrameLimit,  // F6: steps `mode` through the frame-rate limits
    Tour,        // SPACE: flips `flag` without a word
    FullScreen,  // F11: the surface's state, pressed with its own latch
    Screenshot,  // F12: with its own latch
    Forward,     // W A S D: walking, for as long as they are held
    Left,
    Back,
    Right,
    Quit,        // ESC
};

enum class Panel { None, Control };

// Where a key's flag lives: a field of the engine record, or of a later
// record of its subsystem that the engine reaches (the passes' state, the
// run's session). One of the three is set.
struct Flag {
    constexpr Flag() = default;
    constexpr Flag(bool Engine::*field) : engine(field) {}
    constexpr Flag(bool RenderState::*field) : render(field) {}
    constexpr Flag(bool Session::*field) : session(field) {}
    constexpr Flag(bool Sound::*field) : sound(field) {}

    bool Engine::*engine = nullptr;
    bool RenderState::*render = nullptr;
    bool Session::*session = nullptr;
    bool Sound::*sound = nullptr;
};

struct Key {
    int code = 0;                  // GLFW key code
    const char* name = "";         // as the texts write it: "F1", "SPACE", "Tab"
    const char* label = "";        // what it does in a few words: "frame time"
    const char* help = nullptr;    // its line of the help text, if it has one
    Kind kind = Kind::Flag;
    // The status message of each state: off and on for a flag, by step for
    // a mode; empty past the last step.
    const char* states[4] = {};
    Flag flag = {};                // Flag, Sampling and Tour
    Panel panel = Panel::None;     // a control of the settings panel, labelled "F2 frame time"
    toggles::GlEffect effects[2] = {};  // Flag: the GL change after switching off, on
    int Engine::*mode = nullptr;   // Mipmaps and FrameLimit
    const char* choices = nullptr; // the panel's names of the steps, each ending in '\0'
    int start = 0;                 // the flag (0 off, 1 on) or step the demo starts with
};

// The whole table, in the order of the help text.
const std::vector<Key>& all();

// The key of a kind only one key has, e.g. FullScreen's (F11).
const Key& of(Kind kind);

// The least seconds a frame takes at each of F6's steps (-1: no limit).
int frameLimitSteps();
float frameTimeLimit(int step);

// The key's flag in `engine`'s records; nullptr where the key has none, or
// its record is not there yet (an engine not started).
bool* flagOf(const Key& key, Engine& engine);

// Every toggle's flag and step as the table starts them, the frame-rate
// limit of F6's start step, and no key latched.
void setStartValues(Engine& engine);

// What each flag's value asks of the frame (F9's blending), set once more:
// on a context the browser has given back.
void applyGlEffects(Engine& engine);

// Keys that toggle on a press in toggles::scan; kKeyCount of them.
constexpr bool isToggle(Kind kind) {
    return kind == Kind::Flag || kind == Kind::Sampling || kind == Kind::Mipmaps ||
           kind == Kind::FrameLimit || kind == Kind::Tour;
}

// The digit that does what F1 ... F10 do (1 ... 9, then 0), on every system:
// browsers and some laptops keep the function keys for themselves. 0 for the
// other keys.
int digitFor(int code);

// Keys --auto-keys presses: the toggles and the walking keys, not those that
// leave the window, write files or end the run.
constexpr bool isScripted(Kind kind) {
    return isToggle(kind) || kind == Kind::Forward || kind == Kind::Left || kind == Kind::Back ||
           kind == Kind::Right;
}

}  // namespace keys
