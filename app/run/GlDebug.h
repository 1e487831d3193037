#pragma once
#include <string>

// --gl-debug: the driver's debug output, with every GL error printed as it
// happens ("GL error: ...") and counted.
namespace gldebug {

// Switches debug output on when the driver offers it. A driver without the
// entry point gets a line saying so, and the run goes on without counting.
// Returns whether the errors are being counted.
bool install();
// The closing line: the number of errors, or that none could be counted.
std::string summary();

}  // namespace gldebug
