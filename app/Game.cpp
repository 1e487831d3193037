#include "app/Game.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/Benchmark.h"
#include "app/FrameCapture.h"
#include "app/GlDebug.h"
#include "app/FramePacing.h"
#include "GraphicsEngine/Platform.h"
#include "app/Screenshot.h"
#include "app/SettingsPanel.h"
#include "game/Scene.h"

namespace {

// One line for scripts that check where the camera went.
void printCameraPose(const Engine& engine) {
    const glm::vec3& p = engine.cameraPosition;
    const glm::vec3& d = engine.viewDirection;
    std::printf("camera %.4f %.4f %.4f direction %.4f %.4f %.4f yaw %.4f pitch %.4f\n",
                static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z),
                static_cast<double>(d.x), static_cast<double>(d.y), static_cast<double>(d.z),
                static_cast<double>(engine.yaw), static_cast<double>(engine.pitch));
}

}  // namespace

Game::~Game() { delete scene; }

void Game::captureFrame(double timeBefore) {
    const RunOptions& options = engine.options;
    const int width = static_cast<int>(engine.width), height = static_cast<int>(engine.height);
    if (engine.screenshotRequested) {
        engine.screenshotRequested = false;
        const std::string name = capture::saveNumbered(options.shotDir, width, height);
        if (!name.empty()) engine.showStatus("Screenshot saved: " + name);
    }
    if (capture::crossesInterval(timeBefore, engine.totalTime, options.shotEvery)) {
        const std::string name = capture::saveNumbered(options.shotDir, width, height);
        if (!name.empty()) std::printf("Screenshot saved: %s\n", name.c_str());
    }
}

double Game::nextElapsed(double& lastTime) {
    if (engine.options.fixedDt > 0.0) return engine.options.fixedDt;  // no clock, no sleep
    const double now = engine.surface->seconds();
    const PacingStep step = paceFrame(engine.frameTimeLimit, now, now - lastTime);
    if (step.sleepMilliseconds >= 0) platform::sleepMilliseconds(step.sleepMilliseconds);
    lastTime = step.lastTime;
    return step.elapsed;
}

bool Game::runComplete(double elapsed, const GpuPassTimer::Times& passTimes) {
    const RunOptions& options = engine.options;
    if (options.statsEvery > 0 && frameCount % options.statsEvery == 0) {
        std::printf("stats frame %ld rss_kb %ld objects %d particles %d\n", frameCount,
                    platform::residentKilobytes(), engine.objectsDrawn, engine.particlesCounted);
    }
    bool complete = frameCount == options.frames;
    if (options.seconds > 0.0 && engine.totalTime >= options.seconds) complete = true;
    if (benchmark_ && benchmark_->frameDone(elapsed, engine.totalTime, passTimes,
                                            engine.passTimer.takeWaits())) {
        complete = true;
    }
    return complete;
}

void Game::finishRun() {
    if (!engine.options.screenshot.empty()) {
        writeScreenshot(engine.options.screenshot, static_cast<int>(engine.width),
                        static_cast<int>(engine.height));
    }
    if (engine.options.printCamera) printCameraPose(engine);
}

void Game::reloadShaders() {
    if (!shaderReloader_) return;
    for (const ReloadReport& report : shaderReloader_->poll(platform::seconds())) {
        std::printf("%s", report.console.c_str());
        std::fflush(stdout);
        engine.showStatus(report.status, false);  // the console has it already
    }
}

void Game::run() {
    quit = false;
    Surface& surface = *engine.surface;
    double lastTime = surface.seconds();
    double startUpSeconds = 0.0;

    // Benchmarking flies the tour as fast as the machine allows.
    if (engine.options.benchmark > 0.0) {
        benchmark_ = std::make_unique<Benchmark>(engine.options.benchmark, engine.options.benchmarkCsv);
        engine.cameraTour = true;
        engine.fpsLimitMode = 0;
        engine.frameTimeLimit = -1.0f;
        engine.passTimer.active = true;
        engine.passTimer.everyFrame = true;
    }
    if (engine.options.shaderReload && !benchmark_) {
        shaderReloader_ = std::make_unique<ShaderReloader>(engine.shaders, platform::seconds());
    }

    while (!surface.closeRequested()) {
        if (quit) break;
        if (!engine.followSurface()) {
            // Minimised: nothing to draw and no time passes; the simulation
            // takes up where it stopped when the window comes back.
            surface.waitWhileMinimised();
            lastTime = surface.seconds();
            continue;
        }
        const double elapsed = nextElapsed(lastTime);

        const double timeBefore = engine.totalTime;
        reloadShaders();
        engine.handleInput(elapsed);
        renderFrame(elapsed);
        captureFrame(timeBefore);

        ++frameCount;
        if (frameCount == 1) {
            startUpSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                                           processStart).count();
        }
        // The pass times of a frame a few back, while the timer runs (the
        // benchmark, the open panel).
        if (runComplete(elapsed, engine.passTimer.endFrame())) quit = true;
        if (quit || surface.closeRequested()) finishRun();
        surface.present();
    }
    if (engine.options.glDebug) std::printf("%s\n", gldebug::summary().c_str());
    if (benchmark_) {
        std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        if (!surface.where().empty()) renderer += " on " + surface.where();
        benchmark_->report(startUpSeconds, renderer);
    }
    engine.panel.reset();  // its GL objects go while the context is there
    engine.surface.reset();
}
