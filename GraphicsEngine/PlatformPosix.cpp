#include "GraphicsEngine/Platform.h"

#include <EGL/egl.h>
#include <GL/glx.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

void consolePause() {
    std::fflush(stdout);
    if (!pauseWanted(true, isatty(STDIN_FILENO) != 0, isatty(STDOUT_FILENO) != 0)) return;
    std::printf("Press Enter to continue . . . ");
    std::fflush(stdout);
    int c;
    while ((c = std::getchar()) != '\n' && c != EOF) {
    }
}

void sleepMilliseconds(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

double seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

long residentKilobytes() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return 0;
    const bool read = std::fscanf(statm, "%ld %ld", &pages, &resident) == 2;
    std::fclose(statm);
    return read ? resident * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// GLFW's windows on X11 make GLX contexts; headless runs make EGL ones.
bool glContextCurrent() {
    return glXGetCurrentContext() != nullptr || eglGetCurrentContext() != EGL_NO_CONTEXT;
}

std::string executablePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

bool headlessAvailable() { return true; }

void beforeWindowSystem() {}

// Files are saved and read where the person says.
bool offerDownload(const std::string&) { return false; }
bool pickFile(const std::string&) { return false; }
bool pickedFileArrived() { return false; }

void setEnvironmentDefault(const char* name, const char* value) { setenv(name, value, 0); }

int silenceStderr() {
    std::fflush(stderr);
    const int nowhere = open("/dev/null", O_WRONLY);
    if (nowhere < 0) return -1;
    const int saved = dup(STDERR_FILENO);
    if (saved >= 0) dup2(nowhere, STDERR_FILENO);
    close(nowhere);
    return saved;
}

void restoreStderr(int saved) {
    if (saved < 0) return;
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
}

}  // namespace platform
