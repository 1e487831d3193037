#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/run/CommandLine.h"
#include "app/Game.h"
#include "app/settings/SettingsFile.h"
#include "GraphicsEngine/Platform.h"
#include "game/Settings.h"

int main(int argc, char** argv) {
    const auto processStart = std::chrono::steady_clock::now();
    const LaunchConfig config = parseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (!config.error.empty()) {
        std::fprintf(stderr, "emberwight: %s\n", config.error.c_str());
        return 2;
    }
    if (config.help) {
        std::printf("%s", usageText().c_str());
        return 0;
    }
    if (config.options.headless && !platform::headlessAvailable()) {
        std::fprintf(stderr, "emberwight: --headless renders through EGL, which this system does not have\n");
        return 2;
    }
    // A settings file is read in full before any window opens: a bad one ends
    // the run here with one line, and nothing is half applied.
    Settings settings;
    std::string error;
    if (!config.options.settingsFile.empty() &&
        !settings::load(config.options.settingsFile, settings, error)) {
        std::fprintf(stderr, "emberwight: %s\n", error.c_str());
        return 2;
    }
    if (config.options.printSettings) {
        std::printf("%s", settings::write(settings).c_str());
        return 0;
    }

    std::printf("argc %d\n", config.positionalCount);

    // Never deleted: the process ends with the game alive and the operating
    // system reclaims everything, so no GL call runs after the context is gone.
    Game* game = new Game;
    game->session.processStart = processStart;
    game->startUp(config, settings);
    while (game->frame()) {
    }
    game->shutDown();

    std::fflush(stdout);
    platform::sleepMilliseconds(1000);
    platform::consolePause();
    std::_Exit(0);
}
