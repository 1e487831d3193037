#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "app/run/KeyScript.h"

TEST(KeyScript, HoldsEachKeyOfTheCycleForTwoFramesPerPeriod) {
    const KeyScript script(10);
    EXPECT_FALSE(script.holds(GLFW_KEY_F1, 0));
    EXPECT_TRUE(script.holds(GLFW_KEY_F1, 10));
    EXPECT_TRUE(script.holds(GLFW_KEY_F1, 11));
    EXPECT_FALSE(script.holds(GLFW_KEY_F1, 12));
    EXPECT_FALSE(script.holds(GLFW_KEY_F2, 10));
    EXPECT_TRUE(script.holds(GLFW_KEY_F2, 20));
    EXPECT_TRUE(script.holds(GLFW_KEY_F10, 100));
    EXPECT_TRUE(script.holds(GLFW_KEY_W, 110));
    EXPECT_TRUE(script.holds(GLFW_KEY_D, 140));
    EXPECT_TRUE(script.holds(GLFW_KEY_SPACE, 150));
    EXPECT_TRUE(script.holds(GLFW_KEY_G, 160));
    EXPECT_TRUE(script.holds(GLFW_KEY_C, 170));
    EXPECT_TRUE(script.holds(GLFW_KEY_M, 180));
    EXPECT_TRUE(script.holds(GLFW_KEY_TAB, 190));
    EXPECT_TRUE(script.holds(GLFW_KEY_F1, 200));  // the cycle starts over
    // Nothing that leaves the window, writes files or ends the run.
    for (long frame = 0; frame < 400; ++frame) {
        for (int key : {GLFW_KEY_F11, GLFW_KEY_F12, GLFW_KEY_ESCAPE}) {
            EXPECT_FALSE(script.holds(key, frame)) << key << " in frame " << frame;
        }
    }
}

TEST(KeyScript, DisabledScriptHoldsNothing) {
    const KeyScript script;
    EXPECT_FALSE(script.enabled());
    for (long frame = 0; frame < 100; ++frame) EXPECT_FALSE(script.holds(GLFW_KEY_F1, frame));
}
