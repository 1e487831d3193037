#include "support/EngineWithScene.h"

#include <gtest/gtest.h>

EngineWithScene::EngineWithScene() {
    testing::internal::CaptureStdout();
    scene = std::make_unique<Scene>(&engine);
    testing::internal::GetCapturedStdout();
    engine.scene = scene.get();
}
