// The desktop's side of the start: argv, the console, and a loop of frames.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "GraphicsEngine/Platform.h"
#include "app/Game.h"
#include "app/run/Entry.h"

namespace entry {

LaunchConfig commandLine(int argc, char** argv) {
    return parseCommandLine(std::vector<std::string>(argv, argv + argc));
}

void say(const std::string& text) { std::printf("%s", text.c_str()); }

void fail(const std::string& line) { std::fprintf(stderr, "emberwight: %s\n", line.c_str()); }

int runFrames(Game* game) {
    while (game->frame()) {
    }
    game->shutDown();

    std::fflush(stdout);
    platform::sleepMilliseconds(1000);
    platform::consolePause();
    std::_Exit(0);
}

}  // namespace entry
