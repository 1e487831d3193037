#include <gtest/gtest.h>

#include <set>

#include "app/run/FrameCapture.h"

TEST(FrameCapture, NumberedNamesSkipTakenFiles) {
    std::set<std::string> taken;
    auto exists = [&](const std::string& name) { return taken.count(name) > 0; };
    EXPECT_EQ(capture::nextNumberedName("out", exists), "out/emberwight-0001.png");
    taken = {"out/emberwight-0001.png", "out/emberwight-0002.png"};
    EXPECT_EQ(capture::nextNumberedName("out", exists), "out/emberwight-0003.png");
    EXPECT_EQ(capture::nextNumberedName("", exists), "./emberwight-0001.png");
    EXPECT_EQ(capture::nextNumberedName("d", [](const std::string&) { return true; }), "");
}

TEST(FrameCapture, ShotsFallDueWhenAMultipleIsPassed) {
    EXPECT_FALSE(capture::crossesInterval(0.0, 4.99, 5.0));
    EXPECT_TRUE(capture::crossesInterval(4.99, 5.0, 5.0));
    EXPECT_FALSE(capture::crossesInterval(5.0, 5.01, 5.0));
    EXPECT_TRUE(capture::crossesInterval(9.9, 10.2, 5.0));
    EXPECT_FALSE(capture::crossesInterval(1.0, 2.0, -1.0));
    EXPECT_FALSE(capture::crossesInterval(3.0, 3.0, 1.0));
}
