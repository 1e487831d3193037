#pragma once
// The few calls that differ between operating systems live here, at the
// lowest floor, so every other folder can use them. One source file per
// system implements them; the build picks it.

namespace platform {

// Waits for Enter when standard input is a terminal; returns at once otherwise,
// so runs from scripts and CI never hang at exit.
void consolePause();

// Blocks the calling thread for the given number of milliseconds (0 allowed).
void sleepMilliseconds(int milliseconds);

// A steady clock in seconds, for frame times (the origin is arbitrary).
double seconds();

// Resident memory of this process in kilobytes (0 where it cannot be read).
long residentKilobytes();

// Whether this thread has a current OpenGL context, whoever made it (the
// window's, an EGL one): GL objects held until exit are deleted only then.
bool glContextCurrent();

}  // namespace platform
