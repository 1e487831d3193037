#pragma once
// The program's start, alike on every system: app/main.cpp is the one entry.
// What differs between the desktop and the page (where the arguments come
// from, where words go, who runs the frames) is the platform's, in
// app/run/EntryPlatform.cpp and the page's app/run/EntryPlatformWeb.cpp.
#include <chrono>
#include <string>

#include "app/run/CommandLine.h"

class Game;

namespace entry {

// Checks what was asked, reads the settings file and answers --help and
// --print-settings; otherwise starts a game. Returns it, or nullptr with
// `exitCode` set when the run ends before its first frame.
Game* start(const LaunchConfig& config, std::chrono::steady_clock::time_point processStart,
            int& exitCode);

// The platform's.
LaunchConfig commandLine(int argc, char** argv);  // argv, or the page's address and canvas
void say(const std::string& text);                // the answer to --help or --print-settings
void fail(const std::string& line);               // why the run cannot start
int runFrames(Game* game);                        // until the run ends, or handed to the browser

}  // namespace entry
