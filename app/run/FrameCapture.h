#pragma once
#include <functional>
#include <string>

// Numbered screenshots: F12, and the periodic ones of --shot-every.
namespace capture {

// DIR/emberwight-0001.png, or the first number after it that `exists` rejects
// ("" when all 9999 are taken).
std::string nextNumberedName(const std::string& dir,
                             const std::function<bool(const std::string&)>& exists);

// True when a multiple of `every` lies in (before, after]: time for a shot.
bool crossesInterval(double before, double after, double every);

// Writes the current frame to the next free numbered file; returns its name,
// or "" when nothing was written.
std::string saveNumbered(const std::string& dir, int width, int height);

}  // namespace capture
