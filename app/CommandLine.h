#pragma once
#include <string>
#include <vector>

// What the command line asks for. The positional rules are the classic ones
// (width height fullscreen [tour]); options starting with "--" are taken out
// before the positional arguments are counted and read.
struct LaunchConfig {
    int positionalCount = 1;  // as main would see it without the options
    int width = 1024;
    int height = 768;
    bool fullscreen = false;
    bool cameraTour = false;

    long frames = -1;          // --frames N: stop after N frames; -1 = run until ESC
    double fixedDt = -1.0;     // --fixed-dt S: every frame lasts S seconds; <0 = real time
    std::string screenshot;    // --screenshot FILE.png: last frame's colour buffer
    bool printCamera = false;  // --print-camera: the camera pose after the last frame
    bool help = false;         // --help

    std::string error;         // non-empty: an option was unknown or malformed
};

// Pure: reads argv (argv[0] is the program name) into a LaunchConfig.
LaunchConfig parseCommandLine(const std::vector<std::string>& args);

// True when `word` asks for a flag: it equals "true" or atoi reads it above 0.
bool flagWord(const std::string& word);

// The text --help prints.
std::string usageText();
