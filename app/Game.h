#pragma once
#include "GraphicsEngine/ContextObjects.h"
#include "app/Engine.h"
#include "app/audio/Sound.h"
#include "app/run/Session.h"
#include "render/RenderState.h"

class Scene;
struct LaunchConfig;
struct Settings;

// The application object: holds the engine by value, owns the scene, and
// keeps the run's record and the passes' beside the engine.
class Game {
public:
    Engine engine;
    Scene* scene = nullptr;
    bool quit = false;
    // Before the session, whose ImGui context stops the back end's renderer.
    RenderState render;  // back end, glow, static shadow cube, pass timer, uniform tables
    Session session;     // options, scripted keys, ImGui and panel, reloads, capture, benchmark
    Sound sound;         // the fire's sound: synthesizer, device or recording, mute

    Game();
    ~Game();

    // Start-up, one frame and shut-down (app/Game.cpp). The native loop is
    // `while (game.frame()) {}`; a browser can call `frame` from its animation
    // callback instead.
    void startUp(const LaunchConfig& config, const Settings& settings);
    // False once the run is over (ESC, the surface closed, an end the options set).
    bool frame();
    void shutDown();

    // A browser took the GL context away (Surface::whenContextLost): every GL
    // object the run owns goes now, and is made again in the first frame the
    // context is back, with the camera, clocks, settings and toggles as they
    // were; the fire starts again from its emitters (app/Game.cpp).
    void releaseGraphics();
    void createGraphicsAgain();

    // The scene takes its tuned look and its objects move on by the scene's clock.
    void updateScene();
    // The frame's passes (render/Frame.cpp).
    void renderFrame(double elapsed);

private:
    graph::ContextObjects contextObjects_;  // what holds objects of the GL context
    double lastTime_ = 0.0;        // the pacing clock after the last frame
    double startUpSeconds_ = 0.0;  // from the process's start to the first frame's end
    bool graphicsReleased_ = false;  // since the context went, until it is back

    // This frame's elapsed time: paced by the frame-rate limit, or fixed.
    double nextElapsed();
    // The sound of this frame's time, heard from the camera (app/audio/Sound.h).
    void hearFrame(double timeBefore);
    // Programs whose files were saved since the last look, rebuilt before this frame.
    void reloadShaders();
    // Screenshots asked for by F12 or --shot-every, taken before the swap.
    void captureFrame(double timeBefore);
    // What the options ask for after each frame: stats, and whether the run is over.
    bool runComplete(double elapsed, const GpuPassTimer::Times& passTimes);
    // What the options ask for from the last frame, before its swap.
    void finishRun();
};
