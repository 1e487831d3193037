#include "app/Platform.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace platform {

void consolePause() {
    std::fflush(stdout);
    if (!isatty(STDIN_FILENO)) return;
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

}  // namespace platform
