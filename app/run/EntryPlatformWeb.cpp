// The page's side of the start: the page's script calls main with the
// address's query and the canvas's size in pixels; words go to the page, and
// the browser runs one frame per animation frame.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>

#include "app/Game.h"
#include "game/Camera.h"
#include "app/run/Entry.h"
#include "app/run/PageAddress.h"
#include "app/web/BrowserPage.h"

namespace {

Game* gGame = nullptr;

void step() {
    const bool more = gGame->frame();
    const Engine& engine = gGame->engine;
    page::frameDrawn(gGame->session.frameCount,
                     camera::poseLine(engine.cameraPosition, engine.viewDirection, engine.yaw,
                                      engine.pitch));
    if (more) return;
    emscripten_cancel_main_loop();
    gGame->shutDown();
    std::fflush(stdout);
    page::stoppedAfter(gGame->session.frameCount);
}

}  // namespace

namespace entry {

LaunchConfig commandLine(int argc, char** argv) {
    const std::string query = argc > 1 ? argv[1] : "";
    const int width = argc > 2 ? std::atoi(argv[2]) : 0;
    const int height = argc > 3 ? std::atoi(argv[3]) : 0;
    LaunchConfig config =
        parseCommandLine(address::commandLine(query, width, height), options::kBrowser);
    config.options.gles = true;  // WebGL 2
    return config;
}

// The same words as the command line's, over the canvas.
void say(const std::string& text) { page::showMessage(text); }

void fail(const std::string& line) { page::showMessage(line); }

int runFrames(Game* game) {
    gGame = game;  // the page's life is the program's
    emscripten_set_main_loop(step, 0, false);
    return 0;
}

}  // namespace entry
