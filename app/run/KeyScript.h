#pragma once

// Scripted key presses for long unattended runs (--auto-keys): every `period`
// frames the next key of a fixed cycle, the scripted keys of app/Keys.h in
// their order, is held for two frames, so each toggle, SPACE, the walking
// keys, the glow and shadow-cube keys and the settings panel's are pressed
// again and again without a person.
class KeyScript {
public:
    explicit KeyScript(long period = 0) : period_(period) {}

    bool enabled() const { return period_ > 0; }
    // Whether the script holds `key` (a GLFW key code) in frame `frame` (0-based).
    bool holds(int key, long frame) const;

private:
    long period_;
};
