#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "GraphicsEngine/Platform.h"

TEST(Platform, PausesOnlyForAnInteractiveConsole) {
    struct Case {
        bool console, input, output, pause;
    };
    const Case cases[] = {
        {true, true, true, true},      // started in a console window, or from a terminal
        {true, false, true, false},    // input from a file or pipe (scripts, CI)
        {true, true, false, false},    // output to a file: the prompt would be unseen
        {true, false, false, false},
        {false, true, true, false},    // no console at all
        {false, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::pauseWanted(c.console, c.input, c.output), c.pause)
            << c.console << c.input << c.output;
    }
}

// A library's setting defaults only where the user set none.
TEST(Platform, EnvironmentDefaultKeepsTheUsersValue) {
    const char* name = "EMBERWIGHT_PLATFORM_TEST_SETTING";
    unsetenv(name);
    platform::setEnvironmentDefault(name, "0");
    EXPECT_STREQ(std::getenv(name), "0");
    setenv(name, "3", 1);
    platform::setEnvironmentDefault(name, "0");
    EXPECT_STREQ(std::getenv(name), "3");
    unsetenv(name);
}

// What is written to stderr while silenced goes nowhere; what comes after
// reaches stderr again. (stderr is a pipe here, read back at the end.)
TEST(Platform, SilencedStderrSwallowsOnlyWhileSilenced) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::fflush(stderr);
    const int original = dup(STDERR_FILENO);
    dup2(pipeEnds[1], STDERR_FILENO);
    close(pipeEnds[1]);

    std::fputs("before ", stderr);
    const int saved = platform::silenceStderr();
    std::fputs("silenced ", stderr);
    std::fflush(stderr);
    (void)!write(STDERR_FILENO, "unbuffered ", 11);
    platform::restoreStderr(saved);
    std::fputs("after", stderr);

    std::fflush(stderr);
    dup2(original, STDERR_FILENO);
    close(original);
    std::string written(64, '\0');
    const ssize_t length = read(pipeEnds[0], written.data(), written.size());
    close(pipeEnds[0]);
    written.resize(length > 0 ? static_cast<size_t>(length) : 0);
    EXPECT_GE(saved, 0);
    EXPECT_EQ(written, "before after");
}
