#pragma once
// One run of the program around its frames: what the command line asked for,
// the scripted keys, the settings panel, shader reloading, screenshots and the
// benchmark. The game owns it; the engine reaches it through its game.
#include <chrono>
#include <memory>

#include "app/run/Benchmark.h"
#include "app/run/KeyScript.h"
#include "app/run/RunOptions.h"
#include "app/settings/SettingsPanel.h"
#include "app/run/ShaderReloader.h"

struct Session {
    RunOptions options;
    KeyScript keyScript;                  // --auto-keys
    std::unique_ptr<SettingsPanel> panel;  // made the first time Tab opens it
    bool cursorFree = false;              // released for the panel; mouse look waits
    bool screenshotRequested = false;     // F12: saved after this frame is drawn
    std::unique_ptr<Benchmark> benchmark;            // --benchmark
    std::unique_ptr<ShaderReloader> shaderReloader;  // off with --no-shader-reload and --benchmark
    long frameCount = 0;  // frames completed so far
    // Set by the entry first thing, for the benchmark's start-up time.
    std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();
};
