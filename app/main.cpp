// The program's one entry, on the desktop and in the page alike
// (app/run/Entry.h says what differs).
#include <chrono>

#include "app/run/Entry.h"

int main(int argc, char** argv) {
    const auto processStart = std::chrono::steady_clock::now();
    int exitCode = 0;
    Game* game = entry::start(entry::commandLine(argc, argv), processStart, exitCode);
    if (game == nullptr) return exitCode;
    return entry::runFrames(game);
}
