// The demo's life in three steps: start-up, one frame, shut-down. Everything
// a frame does happens in Game::frame, in the order written there.
#include "app/Game.h"

#include <cstdio>
#include <memory>
#include <string>

#include "GraphicsEngine/Platform.h"
#include "app/run/CommandLine.h"
#include "app/run/FrameCapture.h"
#include "app/FramePacing.h"
#include "app/Keys.h"
#include "app/run/GlDebug.h"
#include "app/run/Screenshot.h"
#include "game/PointLight.h"
#include "game/Scene.h"
#include "game/SceneObject.h"
#include "render/FrameRules.h"

namespace {

// One line for scripts that check where the camera went.
void printCameraPose(const Engine& engine) {
    std::printf("%s\n", camera::poseLine(engine.cameraPosition, engine.viewDirection, engine.yaw,
                                          engine.pitch).c_str());
}

}  // namespace

Game::~Game() { delete scene; }

// --- Start-up ---------------------------------------------------------------

void Game::startUp(const LaunchConfig& config, const Settings& settings) {
    const RunOptions& options = config.options;
    session.options = options;
    session.keyScript = KeyScript(options.autoKeys);
    render.shadowCasters = options.shadowCasters;
    render.scale = RenderScale(options.renderScale, options.targetFps);
    render.offscreenParticles.enabled = !options.fullResParticles;
    render.softParticles = !options.hardParticles;
    render.bilinearUpscale = options.bilinearUpscale;
    render.backend = RenderBackend::create(options.gles);  // chosen once, here
    scene = new Scene(&engine);
    scene->settings = settings;
    if (options.antialias > 0) scene->settings.picture.antialias = options.antialias;
    render.msaaSamples = options.msaaSamples;
    engine.render = &render;
    engine.startUp(static_cast<unsigned>(config.width), static_cast<unsigned>(config.height),
                   config.fullscreen, this, scene, config.cameraTour);

    // Benchmarking flies the tour as fast as the machine allows.
    if (options.benchmark > 0.0) {
        session.benchmark = std::make_unique<Benchmark>(options.benchmark, options.benchmarkCsv);
        engine.cameraTour = true;
        engine.fpsLimitMode = 0;
        engine.frameTimeLimit = keys::frameTimeLimit(0);
        render.timer.active = render.timer.supported();
        render.timer.everyFrame = true;
    }
    if (options.shaderReload && !session.benchmark) {
        session.shaderReloader = std::make_unique<ShaderReloader>(engine.shaders, platform::seconds());
    }
    engine.surface->whenContextLost([this] { releaseGraphics(); });
    if (options.volume >= 0.0f) scene->settings.sound.volume = options.volume;
    sound.muted = options.mute;
    const std::string soundError = sound.start(options.audioOut);
    if (!soundError.empty()) engine.fatalError(soundError);
    quit = false;
    lastTime_ = engine.surface->seconds();
}

// --- A lost context -----------------------------------------------------------

// Everything that holds objects of the GL context, in the order start-up
// makes them. Start-up's GL steps make the programs, textures, shadow
// targets, the scene's meshes, the static cube and the particle buffers
// again; the rest are made again when next used.
Game::Game() {
    contextObjects_.add(
        "engine: programs, textures, shadow targets", [this] { engine.releaseGraphics(); },
        [this] { engine.createGraphics(session.options.unlit); });
    contextObjects_.add("scene: meshes, environment, box", [this] { scene->releaseGraphics(); });
    contextObjects_.add("particle buffers", [this] { render.backend->releaseParticles(); });
    contextObjects_.add("static shadow cube", [this] { render.staticShadowCube.release(); });
    contextObjects_.add("frame targets", [this] { render.targets.release(); });
    contextObjects_.add("glow", [this] { render.glow.release(); });
    contextObjects_.add("half-size particles", [this] { render.offscreenParticles.release(); });
    contextObjects_.add("picture filter", [this] { render.pictureFilter.release(); });
    contextObjects_.add("pass timer", [this] { render.timer.release(); });
    contextObjects_.add("mesh uniform tables", [this] { render.meshUniforms = MeshUniforms(); });
    contextObjects_.add(
        "panel renderer", [this] { if (session.ui) session.ui->stopRenderer(); },
        [this] { if (session.ui) session.ui->startRenderer(); });
}

// The browser has freed every object with the context and ignores GL calls
// until it gives one back: each owner deletes and forgets its own, so that
// nothing names a dead object afterwards.
void Game::releaseGraphics() {
    contextObjects_.releaseAll();
    graphicsReleased_ = true;
}

// Start-up's GL steps on the records as they stand, and what the toggles'
// values ask for.
void Game::createGraphicsAgain() {
    contextObjects_.remakeAll();
    keys::applyGlEffects(engine);
    graphicsReleased_ = false;
}

// --- One frame --------------------------------------------------------------

void Engine::advanceClock(double elapsed, float timeScale) {
    frameTime = static_cast<float>(elapsed);
    totalTime += elapsed;
    // The scene's own clock runs at the tuned pace; walking keeps the real one.
    scene->clock.advance(frameTime, timeScale);
}

bool Game::frame() {
    Surface& surface = *engine.surface;
    if (quit || surface.closeRequested()) return false;
    if (!engine.followSurface()) {
        // Minimised: nothing to draw and no time passes; the simulation
        // takes up where it stopped when the window comes back.
        sound.pause();
        surface.waitWhileMinimised();
        lastTime_ = surface.seconds();
        return true;
    }
    if (graphicsReleased_) createGraphicsAgain();
    const double elapsed = nextElapsed();
    const double timeBefore = engine.totalTime;
    reloadShaders();

    // Events, ESC, the toggles, the status line and the panel's cursor.
    const camera::WalkKeys walking = engine.handleInput(elapsed);
    engine.advanceClock(elapsed, scene->settings.time.scale);
    // The tour owns the view: the walking keys and the mouse wait, and the
    // cursor is no longer re-centred. The open panel has the mouse.
    engine.moveCamera(walking.forward, walking.back, walking.left, walking.right, elapsed);
    if (!engine.cameraTour && !session.cursorFree) engine.mouseLook();
    engine.buildView();

    updateScene();
    hearFrame(timeBefore);
    renderFrame(elapsed);
    render.timer.begin(GpuPassTimer::Overlay);
    engine.drawOverlay();
    engine.drawPanel(elapsed);  // over the text, while open
    render.timer.end();
    captureFrame(timeBefore);
    if (session.options.glDebug) gldebug::checkFrame();

    ++session.frameCount;
    if (session.frameCount == 1) {
        startUpSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                                        session.processStart).count();
    }
    // The pass times of a frame a few back, while the timer runs (the
    // benchmark, the open panel).
    if (runComplete(elapsed, render.timer.endFrame())) quit = true;
    if (quit || surface.closeRequested()) finishRun();
    surface.present();
    return true;
}

void Game::updateScene() {
    scene->adoptSettings();
    for (game::SceneObject* object : scene->objects) {
        if (frame::isActive(*object)) object->update(scene->clock.frameTime);
    }
}

void Game::hearFrame(double timeBefore) {
    const glm::vec3 fire = scene->numPointLights > 0 ? scene->pointLights[0].Position : glm::vec3(0.0f);
    sound.frame(scene->settings, scene->settings.time.scale, timeBefore, engine.totalTime,
                engine.cameraPosition, engine.viewDirection, engine.cameraUp, fire);
}

double Game::nextElapsed() {
    const double now = engine.surface->seconds();
    // The frame's own time, without the pacer's sleep, also under --fixed-dt.
    render.scale.frameDone(now - lastTime_);
    if (session.options.fixedDt > 0.0) {
        lastTime_ = now;
        return session.options.fixedDt;  // no sleep
    }
    const PacingStep step = paceFrame(engine.frameTimeLimit, now, now - lastTime_);
    if (step.sleepMilliseconds >= 0) platform::sleepMilliseconds(step.sleepMilliseconds);
    lastTime_ = step.lastTime;
    return step.elapsed;
}

void Game::reloadShaders() {
    if (!session.shaderReloader) return;
    for (const ReloadReport& report : session.shaderReloader->poll(platform::seconds())) {
        std::printf("%s", report.console.c_str());
        std::fflush(stdout);
        engine.showStatus(report.status, false);  // the console has it already
    }
}

void Game::captureFrame(double timeBefore) {
    const RunOptions& options = session.options;
    const int width = static_cast<int>(engine.width), height = static_cast<int>(engine.height);
    if (session.screenshotRequested) {
        session.screenshotRequested = false;
        const std::string name = capture::saveNumbered(options.shotDir, width, height);
        if (!name.empty()) engine.showStatus("Screenshot saved: " + name);
    }
    if (capture::crossesInterval(timeBefore, engine.totalTime, options.shotEvery)) {
        const std::string name = capture::saveNumbered(options.shotDir, width, height);
        if (!name.empty()) std::printf("Screenshot saved: %s\n", name.c_str());
    }
}

bool Game::runComplete(double elapsed, const GpuPassTimer::Times& passTimes) {
    const RunOptions& options = session.options;
    const long frames = session.frameCount;
    if (options.statsEvery > 0 && frames % options.statsEvery == 0) {
        // Then the particles alive per kind (sparks, smoke, large and small
        // flames) and what their buffers take on the GPU.
        int alive[kParticleKinds] = {};
        for (size_t i = 0; i < scene->particleSystems.size(); ++i) {
            alive[i % kParticleKinds] += render.backend->particlesAlive(i);
        }
        std::printf("stats frame %ld rss_kb %ld objects %d particles %d alive %d %d %d %d "
                    "particle_buffer_bytes %lld antialias %s render_scale %.2f\n",
                    frames, platform::residentKilobytes(), engine.objectsDrawn,
                    engine.particlesCounted, alive[0], alive[1], alive[2], alive[3],
                    render.backend->particleBufferBytes(), antialias::nameOf(render.antialias),
                    render.scale.scale());
    }
    bool complete = frames == options.frames;
    if (options.seconds > 0.0 && engine.totalTime >= options.seconds) complete = true;
    if (session.benchmark && session.benchmark->frameDone(elapsed, engine.totalTime, passTimes,
                                                          render.timer.takeWaits(),
                                                          render.scale.scale())) {
        complete = true;
    }
    return complete;
}

void Game::finishRun() {
    if (!session.options.screenshot.empty()) {
        writeScreenshot(session.options.screenshot, static_cast<int>(engine.width),
                        static_cast<int>(engine.height));
    }
    if (session.options.printCamera) printCameraPose(engine);
}

// --- Shut-down --------------------------------------------------------------

void Game::shutDown() {
    if (session.options.glDebug) std::printf("%s\n", gldebug::summary().c_str());
    if (session.benchmark) {
        std::string renderer = rendererName();
        if (!engine.surface->where().empty()) renderer += " on " + engine.surface->where();
        session.benchmark->report(startUpSeconds_, renderer, antialias::nameOf(render.antialias));
        if (sound.on()) std::printf("  sound ms per frame: %.3f\n", sound.millisecondsPerFrame());
    }
    sound.finish();
    // Their GL objects go while the context is there.
    session.panel.reset();
    session.ui.reset();
    engine.surface.reset();
}
