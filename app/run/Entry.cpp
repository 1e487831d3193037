#include "app/run/Entry.h"

#include <cstdio>

#include "GraphicsEngine/Platform.h"
#include "app/Game.h"
#include "app/settings/SettingsFile.h"
#include "game/Settings.h"

namespace entry {

Game* start(const LaunchConfig& config, std::chrono::steady_clock::time_point processStart,
            int& exitCode) {
    exitCode = 2;
    if (!config.error.empty()) {
        fail(config.error);
        return nullptr;
    }
    if (config.options.help) {
        say(usageText());
        exitCode = 0;
        return nullptr;
    }
    if (config.options.headless && !platform::headlessAvailable()) {
        fail("--headless renders through EGL, which this system does not have");
        return nullptr;
    }
    // A settings file is read in full before any window opens: a bad one ends
    // the run here with one line, and nothing is half applied.
    Settings settings;
    std::string error;
    if (!config.options.settingsFile.empty() &&
        !settings::load(config.options.settingsFile, settings, error)) {
        fail(error);
        return nullptr;
    }
    if (config.options.printSettings) {
        say(settings::write(settings));
        exitCode = 0;
        return nullptr;
    }

    std::printf("argc %d\n", config.positionalCount);

    // Never deleted: the process ends with the game alive and the operating
    // system reclaims everything, so no GL call runs after the context is gone.
    Game* game = new Game;
    game->session.processStart = processStart;
    game->startUp(config, settings);
    exitCode = 0;
    return game;
}

}  // namespace entry
