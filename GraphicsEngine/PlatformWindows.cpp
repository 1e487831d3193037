#include "GraphicsEngine/Platform.h"

// windows.h before the others: they need its types.
#include <windows.h>

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace platform {

namespace {

// A standard handle is a console when the console accepts its mode query;
// files, pipes and NUL do not.
bool isConsole(DWORD standardHandle) {
    HANDLE handle = GetStdHandle(standardHandle);
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

void consolePause() {
    std::fflush(stdout);
    if (!pauseWanted(GetConsoleWindow() != nullptr, isConsole(STD_INPUT_HANDLE),
                     isConsole(STD_OUTPUT_HANDLE))) {
        return;
    }
    std::printf("Press any key to continue . . . ");
    std::fflush(stdout);
    _getch();
    std::printf("\n");
}

// Sleep counts in scheduler ticks (15.6 ms by default); one-millisecond ticks
// for the duration keep frame pacing as fine as on Linux.
void sleepMilliseconds(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    timeBeginPeriod(1);
    Sleep(static_cast<DWORD>(milliseconds));
    timeEndPeriod(1);
}

double seconds() {
    static const double period = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * period;
}

long residentKilobytes() {
    PROCESS_MEMORY_COUNTERS counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

bool glContextCurrent() { return wglGetCurrentContext() != nullptr; }

std::string executablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    // In the system's code page, which the C library's narrow file calls use.
    return std::filesystem::path(buffer).string();
}

// EGL's device platform is Linux's; Windows makes contexts through windows.
bool headlessAvailable() { return false; }

// GLFW loads the game-controller DLLs when it starts and unloads them when
// it ends. Wine's XInput keeps a thread of its own running past that
// unloading, which then crashes the exiting process (and the crash handler
// hangs it). Loaded once more here, they stay until the process ends, as
// any system DLL does. The XInput names in the order GLFW tries them.
void beforeWindowSystem() {
    LoadLibraryA("dinput8.dll");
    for (const char* xinput : {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll", "xinput1_2.dll",
                               "xinput1_1.dll"}) {
        if (LoadLibraryA(xinput) != nullptr) break;
    }
}

// Files are saved and read where the person says.
bool offerDownload(const std::string&) { return false; }
bool pickFile(const std::string&) { return false; }
bool pickedFileArrived() { return false; }

// The C library's environment, which a DLL on the same C library reads too.
void setEnvironmentDefault(const char* name, const char* value) {
    if (std::getenv(name) == nullptr) _putenv_s(name, value);
}

int silenceStderr() {
    std::fflush(stderr);
    const int nowhere = _open("NUL", _O_WRONLY);
    if (nowhere < 0) return -1;
    const int saved = _dup(2);
    if (saved >= 0) _dup2(nowhere, 2);
    _close(nowhere);
    return saved;
}

void restoreStderr(int saved) {
    if (saved < 0) return;
    std::fflush(stderr);
    _dup2(saved, 2);
    _close(saved);
}

}  // namespace platform
