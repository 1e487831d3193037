#pragma once
#include <string>

// --gl-debug: the driver's debug output, with every GL error printed as it
// happens ("GL error: ...") and counted. WebGL has no debug output: there
// glGetError is read after every frame (GlDebugWeb.cpp).
namespace gldebug {

// Switches debug output on when the driver offers it. A driver without the
// entry point gets a line saying so, and the run goes on without counting.
// Returns whether the errors are being counted.
bool install();
// The end of a frame: where errors are polled rather than reported, reads them.
void checkFrame();
// The driver's debug messages from the shader compiler are dropped (a live
// reload reports a broken save with the compiler's log itself).
void quietShaderCompiler();
// The closing line: the number of errors, or that none could be counted.
std::string summary();

}  // namespace gldebug
