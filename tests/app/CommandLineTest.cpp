#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

LaunchConfig parse(std::vector<std::string> args) {
    args.insert(args.begin(), "emberwight");
    return parseCommandLine(args);
}

}  // namespace

TEST(CommandLine, NoArgumentsGiveTheDefaultWindow) {
    LaunchConfig c = parse({});
    EXPECT_EQ(c.positionalCount, 1);
    EXPECT_EQ(c.width, 1024);
    EXPECT_EQ(c.height, 768);
    EXPECT_FALSE(c.fullscreen);
    EXPECT_FALSE(c.cameraTour);
    EXPECT_TRUE(c.error.empty());
}

TEST(CommandLine, SizeIsReadOnlyWithTheFullscreenFlag) {
    LaunchConfig two = parse({"800", "600"});
    EXPECT_EQ(two.width, 1024);
    EXPECT_EQ(two.height, 768);

    LaunchConfig three = parse({"800", "600", "0"});
    EXPECT_EQ(three.width, 800);
    EXPECT_EQ(three.height, 600);
    EXPECT_FALSE(three.fullscreen);
}

TEST(CommandLine, FlagWords) {
    EXPECT_TRUE(parse({"800", "600", "true"}).fullscreen);
    EXPECT_TRUE(parse({"800", "600", "1"}).fullscreen);
    EXPECT_FALSE(parse({"800", "600", "yes"}).fullscreen);
    EXPECT_FALSE(parse({"800", "600", "TRUE"}).fullscreen);
    EXPECT_FALSE(parse({"800", "600", "-3"}).fullscreen);
}

TEST(CommandLine, TourIsReadOnlyWithExactlyFourArguments) {
    EXPECT_TRUE(parse({"800", "600", "0", "true"}).cameraTour);
    EXPECT_TRUE(parse({"800", "600", "0", "2"}).cameraTour);
    EXPECT_FALSE(parse({"800", "600", "0", "true", "extra"}).cameraTour);
}

TEST(CommandLine, UnreadableSizesBecomeZero) {
    LaunchConfig c = parse({"wide", "-5", "0"});
    EXPECT_EQ(c.width, 0);
    EXPECT_EQ(c.height, -5);
}

TEST(CommandLine, OptionsAreTakenOutBeforeCounting) {
    LaunchConfig c = parse({"--frames", "12", "800", "--fixed-dt=0.02", "600", "0",
                            "--screenshot", "shot.png", "1"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_EQ(c.positionalCount, 5);
    EXPECT_EQ(c.frames, 12);
    EXPECT_DOUBLE_EQ(c.fixedDt, 0.02);
    EXPECT_EQ(c.screenshot, "shot.png");
    EXPECT_EQ(c.width, 800);
    EXPECT_EQ(c.height, 600);
    EXPECT_TRUE(c.cameraTour);
}

TEST(CommandLine, MalformedOptionsAreErrors) {
    EXPECT_FALSE(parse({"--frames", "x"}).error.empty());
    EXPECT_FALSE(parse({"--frames"}).error.empty());
    EXPECT_FALSE(parse({"--frames", "0"}).error.empty());
    EXPECT_FALSE(parse({"--frames", "-4"}).error.empty());
    EXPECT_FALSE(parse({"--fixed-dt", "-1"}).error.empty());
    EXPECT_FALSE(parse({"--fixed-dt", "nan"}).error.empty());
    EXPECT_FALSE(parse({"--screenshot"}).error.empty());
    EXPECT_FALSE(parse({"--bogus"}).error.empty());
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(CommandLine, PrintCameraIsAPlainFlag) {
    LaunchConfig c = parse({"800", "600", "0", "--print-camera"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_TRUE(c.printCamera);
    EXPECT_EQ(c.positionalCount, 4);
    EXPECT_FALSE(parse({}).printCamera);
    EXPECT_FALSE(parse({"--print-camera=yes"}).error.empty());
}
