#include <gtest/gtest.h>

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
