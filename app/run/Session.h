#pragma once
// One run of the program around its frames: what the command line asked for,
// the scripted keys, Dear ImGui's context and the settings panel, shader
// reloading, screenshots and the benchmark. The game owns it; the engine
// reaches it through its game.
#include <chrono>
#include <memory>

#include "app/run/Benchmark.h"
#include "app/run/KeyScript.h"
#include "app/run/RunOptions.h"
#include "app/settings/SettingsPanel.h"
#include "app/run/ShaderReloader.h"
#include "app/UiContext.h"

struct Session {
    RunOptions options;
    KeyScript keyScript;                  // --auto-keys
    // Dear ImGui's context, made the first time the panel or the ES text needs
    // it; the panel in it, made the first time Tab opens it (it goes first).
    std::unique_ptr<UiContext> ui;
    std::unique_ptr<SettingsPanel> panel;
    bool panelOpen = false;               // Tab
    bool cursorFree = false;              // released for the panel; mouse look waits
    bool screenshotRequested = false;     // F12: saved after this frame is drawn
    std::unique_ptr<Benchmark> benchmark;            // --benchmark
    std::unique_ptr<ShaderReloader> shaderReloader;  // off with --no-shader-reload and --benchmark
    long frameCount = 0;  // frames completed so far
    // Set by the entry first thing, for the benchmark's start-up time.
    std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();
};
