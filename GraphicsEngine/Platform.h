#pragma once
// The few calls that differ between operating systems live here, at the
// lowest floor, so every other folder can use them. One source file per
// system implements them; the build picks it.

#include <string>

namespace platform {

// Waits for a key when pauseWanted says so for this process; returns at once
// otherwise, so runs from scripts and CI never hang at exit.
void consolePause();

// The pause at exit is for a person reading a console window that would close
// with the program: only when there is a console and both its input and output
// are interactive (not redirected to or from files or pipes).
inline bool pauseWanted(bool consoleAttached, bool inputInteractive, bool outputInteractive) {
    return consoleAttached && inputInteractive && outputInteractive;
}

// Blocks the calling thread for the given number of milliseconds (0 allowed).
void sleepMilliseconds(int milliseconds);

// A steady clock in seconds, for frame times (the origin is arbitrary).
double seconds();

// Resident memory of this process in kilobytes (0 where it cannot be read).
long residentKilobytes();

// Whether this thread has a current OpenGL context, whoever made it (the
// window's, an EGL one): GL objects held until exit are deleted only then.
bool glContextCurrent();

// The running program's full path ("" where the system does not say).
std::string executablePath();

// Whether --headless can make a context without a window system (EGL).
bool headlessAvailable();

// Called once before the window system's library starts: what the system
// needs done first (nothing, on most).
void beforeWindowSystem();

// Files the person keeps, where the program's own files are not theirs (a
// browser's page): offers the file just written at `path` as a download and
// returns true; false where files stay on the machine.
bool offerDownload(const std::string& path);
// A file the person picks rather than types: opens the system's picker, whose
// choice is copied to `path` later, and returns true; false where there is no
// picker and the path is read as typed.
bool pickFile(const std::string& path);
// True once after a picked file has arrived at its path.
bool pickedFileArrived();

// Sets an environment variable of this process for the libraries that read
// their settings there, unless it is set already: the user's value stays.
void setEnvironmentDefault(const char* name, const char* value);
// Sends what the process writes to stderr nowhere, until restoreStderr is
// given the value returned: for a library call that writes its own
// complaints where the program says in one line what matters. A negative
// value where stderr stays as it is; restoreStderr ignores it.
int silenceStderr();
void restoreStderr(int saved);

}  // namespace platform
