#pragma once
// The browser's command line: the page's address. "?frames=40&glow=1" reads
// as "--frames 40 --glow", so that every value is checked, and every bad one
// reported, in the command line's own words.
#include <string>
#include <vector>

namespace address {

// Pure. The arguments a query string ("frames=40&camera=1%2C2%2C3%2C0%2C0",
// with or without its "?") stands for, argv[0] first. Each NAME=VALUE is the
// option --NAME VALUE; an option that takes no value is given by 1 (or true)
// and left out by 0 (or false). tour, width and height are the positional
// arguments: the canvas is `canvasWidth` x `canvasHeight` unless width and
// height fix it. An empty name is skipped; a name given twice counts once,
// its last value. Without target-fps the page holds kPageTargetFps.
constexpr int kPageTargetFps = 30;
std::vector<std::string> commandLine(const std::string& query, int canvasWidth, int canvasHeight);

// "%2C" and "+" as the address writes them, decoded; a malformed escape is
// kept as it stands.
std::string decode(const std::string& text);

}  // namespace address
