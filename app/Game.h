#pragma once
#include <chrono>

#include "app/Engine.h"

class Scene;

// The application object: holds the engine by value and owns the scene.
class Game {
public:
    Engine engine;
    Scene* scene = nullptr;
    bool quit = false;
    // Set by the entry first thing, for the benchmark's start-up time.
    std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

    ~Game();

    // The paced main loop; returns after glfwTerminate.
    void run();
    // Screenshots asked for by F12 or --shot-every, taken before the swap.
    void captureFrame(double timeBefore);
    // One frame (render/Frame.cpp).
    void renderFrame(double elapsed);
};
