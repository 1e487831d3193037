// The program in a page: the page's script calls main with the address's query
// and the canvas's size in pixels, and the browser runs one frame per
// animation frame from then on.
#include <emscripten.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GraphicsEngine/Platform.h"
#include "app/Game.h"
#include "app/run/CommandLine.h"
#include "app/run/PageAddress.h"
#include "app/settings/SettingsFile.h"
#include "app/web/BrowserPage.h"
#include "game/Settings.h"

namespace {

Game* gGame = nullptr;

void step() {
    const bool more = gGame->frame();
    page::frameDrawn(gGame->session.frameCount);
    if (more) return;
    emscripten_cancel_main_loop();
    gGame->shutDown();
    std::fflush(stdout);
    page::stoppedAfter(gGame->session.frameCount);
}

}  // namespace

int main(int argc, char** argv) {
    const auto processStart = std::chrono::steady_clock::now();
    const std::string query = argc > 1 ? argv[1] : "";
    const int width = argc > 2 ? std::atoi(argv[2]) : 0;
    const int height = argc > 3 ? std::atoi(argv[3]) : 0;
    LaunchConfig config = parseCommandLine(address::commandLine(query, width, height));
    // The same words as the command line's, and nothing starts.
    if (!config.error.empty()) {
        page::showMessage(config.error);
        return 2;
    }
    if (config.help) {
        page::showMessage(usageText());
        return 0;
    }
    if (config.options.headless && !platform::headlessAvailable()) {
        page::showMessage("--headless renders through EGL, which a browser does not have");
        return 2;
    }
    config.options.gles = true;  // WebGL 2
    // A settings file beside the page, fetched by the page before this.
    Settings settings;
    std::string error;
    if (!config.options.settingsFile.empty() &&
        !settings::load(config.options.settingsFile, settings, error)) {
        page::showMessage(error);
        return 2;
    }

    // Never deleted: the page's life is the program's.
    gGame = new Game;
    gGame->session.processStart = processStart;
    gGame->startUp(config, settings);
    emscripten_set_main_loop(step, 0, false);
    return 0;
}
