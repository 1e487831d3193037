#pragma once

// --gl-debug: the driver's debug output, with every GL error printed as it
// happens ("GL error: ...") and counted.
namespace gldebug {

void install();
long errorCount();

}  // namespace gldebug
