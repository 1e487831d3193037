#pragma once
#include <memory>

#include "app/Engine.h"
#include "game/Scene.h"

// An engine and the scene whose settings its camera and objects read, with
// no GL context: the scene's constructor makes no GL call, and what it says
// of files it cannot find is not the test's business.
struct EngineWithScene {
    Engine engine;
    std::unique_ptr<Scene> scene;

    EngineWithScene();
};
