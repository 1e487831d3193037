#include "app/Game.h"

#include "app/FramePacing.h"
#include "app/Platform.h"
#include "app/Screenshot.h"
#include "game/Scene.h"

Game::~Game() { delete scene; }

void Game::run() {
    quit = false;
    double lastTime = glfwGetTime();
    long framesDrawn = 0;

    while (!engine.closeRequested) {
        if (quit) break;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        double elapsed;
        if (engine.options.fixedDt > 0.0) {
            elapsed = engine.options.fixedDt;  // reproducible runs: no clock, no sleep
        } else {
            const double now = glfwGetTime();
            const PacingStep step = paceFrame(engine.frameTimeLimit, now, now - lastTime);
            if (step.sleepMilliseconds >= 0) platform::sleepMilliseconds(step.sleepMilliseconds);
            elapsed = step.elapsed;
            lastTime = step.lastTime;
        }

        engine.handleInput(elapsed);
        renderFrame(elapsed);

        ++framesDrawn;
        if (framesDrawn == engine.options.frames) quit = true;
        const bool lastFrame = quit || engine.closeRequested;
        if (lastFrame && !engine.options.screenshot.empty()) {
            writeScreenshot(engine.options.screenshot, static_cast<int>(engine.width),
                            static_cast<int>(engine.height));
        }
        glfwSwapBuffers(engine.window);
    }
    glfwTerminate();
}
