#pragma once
// The GL driver's libraries held loaded for the rest of the test process.
// Shutting EGL down unloads Mesa's driver, and a leak report that runs after
// that can no longer name the library a leak came from, so the suppressions
// that name the driver (tests/sanitizers/lsan.supp) stop matching. A test that
// shuts EGL down calls this first; our own code is never held or hidden.
// Returns how many loaded libraries it found to hold.
int holdGlDriverLibraries();
