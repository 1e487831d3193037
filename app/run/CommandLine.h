#pragma once
#include <string>
#include <vector>

#include "app/run/Options.h"
#include "app/run/RunOptions.h"

// What the command line asks for. The positional rules are the classic ones
// (width height fullscreen [tour]); options starting with "--" are taken out
// before the positional arguments are counted and read.
struct LaunchConfig {
    int positionalCount = 1;  // as main would see it without the options
    int width = 1024;
    int height = 768;
    bool fullscreen = false;
    bool cameraTour = false;
    RunOptions options;
    std::string error;        // non-empty: an option was unknown or malformed
};

// Pure: reads argv (argv[0] is the program name) into a LaunchConfig, for a
// run on the desktop or (`host` options::kBrowser) in the page. An option
// given where it does not apply is an error.
LaunchConfig parseCommandLine(const std::vector<std::string>& args,
                              unsigned host = options::kDesktop);

// True when `word` asks for a flag: it equals "true" or atoi reads it above 0.
bool flagWord(const std::string& word);

// A window size that can be asked of the window system: 1 to 32767 each way.
bool windowSizeAcceptable(unsigned width, unsigned height);

// The text --help prints.
std::string usageText();
