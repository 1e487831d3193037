#pragma once
#include <chrono>
#include <memory>

#include "app/Benchmark.h"
#include "app/Engine.h"
#include "app/ShaderReloader.h"

class Scene;

// The application object: holds the engine by value and owns the scene.
class Game {
public:
    Engine engine;
    Scene* scene = nullptr;
    bool quit = false;
    long frameCount = 0;  // frames completed so far
    // Set by the entry first thing, for the benchmark's start-up time.
    std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

    ~Game();

    // The paced main loop; returns once the surface is shut down.
    void run();
    // One frame (render/Frame.cpp).
    void renderFrame(double elapsed);

private:
    std::unique_ptr<Benchmark> benchmark_;  // --benchmark
    std::unique_ptr<ShaderReloader> shaderReloader_;  // off with --no-shader-reload and --benchmark

    // This iteration's elapsed time: paced by the frame-rate limit, or fixed.
    double nextElapsed(double& lastTime);
    // Screenshots asked for by F12 or --shot-every, taken before the swap.
    void captureFrame(double timeBefore);
    // What the options ask for after each frame: stats, and whether the run is over.
    bool runComplete(double elapsed, const GpuPassTimer::Times& passTimes);
    // What the options ask for from the last frame, before its swap.
    void finishRun();
    // Programs whose files were saved since the last look, rebuilt before this frame.
    void reloadShaders();
};
