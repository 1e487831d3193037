#include <gtest/gtest.h>

#include "app/Keys.h"
#include "app/run/CommandLine.h"

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
    EXPECT_EQ(c.options.frames, 12);
    EXPECT_DOUBLE_EQ(c.options.fixedDt, 0.02);
    EXPECT_EQ(c.options.screenshot, "shot.png");
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
    EXPECT_TRUE(parse({"--help"}).options.help);
}

TEST(CommandLine, PrintCameraIsAPlainFlag) {
    LaunchConfig c = parse({"800", "600", "0", "--print-camera"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_TRUE(c.options.printCamera);
    EXPECT_EQ(c.positionalCount, 4);
    EXPECT_FALSE(parse({}).options.printCamera);
    EXPECT_FALSE(parse({"--print-camera=yes"}).error.empty());
}

TEST(CommandLine, CaptureAndBenchmarkOptions) {
    LaunchConfig c = parse({"1024", "768", "0", "--seconds", "20", "--shot-every", "5",
                            "--shot-dir", "out", "--benchmark-csv", "frames.csv"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_DOUBLE_EQ(c.options.seconds, 20.0);
    EXPECT_DOUBLE_EQ(c.options.shotEvery, 5.0);
    EXPECT_EQ(c.options.shotDir, "out");
    EXPECT_EQ(c.options.benchmarkCsv, "frames.csv");
    EXPECT_LT(c.options.benchmark, 0.0);
    EXPECT_EQ(c.width, 1024);
    // The render scale, 0.5 to 1, and the frame rate it holds, 0 (off) to 240.
    EXPECT_FLOAT_EQ(c.options.renderScale, 1.0f);
    EXPECT_EQ(c.options.targetFps, 0);
    LaunchConfig scaled = parse({"--render-scale", "0.5", "--target-fps=30"});
    EXPECT_TRUE(scaled.error.empty()) << scaled.error;
    EXPECT_FLOAT_EQ(scaled.options.renderScale, 0.5f);
    EXPECT_EQ(scaled.options.targetFps, 30);
    EXPECT_TRUE(parse({"--render-scale=1", "--target-fps=0"}).error.empty());
    for (const char* bad : {"--render-scale=0.49", "--render-scale=1.01", "--render-scale=nan",
                            "--target-fps=241", "--target-fps=-1", "--target-fps=30.5"}) {
        EXPECT_FALSE(parse({bad}).error.empty()) << bad;
    }
}

TEST(CommandLine, BenchmarkTakesANumberOnlyWhenOneFollows) {
    EXPECT_DOUBLE_EQ(parse({"--benchmark"}).options.benchmark, 30.0);
    EXPECT_DOUBLE_EQ(parse({"--benchmark=12"}).options.benchmark, 12.0);
    EXPECT_DOUBLE_EQ(parse({"--benchmark", "5"}).options.benchmark, 5.0);
    LaunchConfig word = parse({"--benchmark", "true"});
    EXPECT_DOUBLE_EQ(word.options.benchmark, 30.0);
    EXPECT_EQ(word.positionalCount, 2);
    EXPECT_FALSE(parse({"--benchmark=-2"}).error.empty());
    EXPECT_FALSE(parse({"--print-camera=1"}).error.empty());
    EXPECT_FALSE(parse({"--shot-every", "0"}).error.empty());
}

TEST(CommandLine, WindowSizesTheWindowSystemCanMake) {
    EXPECT_TRUE(windowSizeAcceptable(1, 1));
    EXPECT_TRUE(windowSizeAcceptable(1024, 768));
    EXPECT_TRUE(windowSizeAcceptable(32767, 32767));
    EXPECT_FALSE(windowSizeAcceptable(0, 600));
    EXPECT_FALSE(windowSizeAcceptable(800, 0));
    EXPECT_FALSE(windowSizeAcceptable(static_cast<unsigned>(-5), 600));  // atoi gave -5
    EXPECT_FALSE(windowSizeAcceptable(100000, 600));
    EXPECT_FALSE(windowSizeAcceptable(800, 100000));
}

TEST(CommandLine, DiagnosticFlagsArePlainFlags) {
    LaunchConfig c = parse({"800", "600", "0", "1", "--no-shadow-casters", "--unlit", "--glow",
                            "--show-shadow-cube", "--bilinear-upscale"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_FALSE(c.options.shadowCasters);
    EXPECT_TRUE(c.options.unlit);
    EXPECT_TRUE(c.options.glow);
    EXPECT_TRUE(c.options.showShadowCube);
    EXPECT_TRUE(c.options.bilinearUpscale);
    EXPECT_TRUE(c.cameraTour);
    EXPECT_EQ(c.positionalCount, 5);
    EXPECT_TRUE(parse({}).options.shadowCasters);
    EXPECT_FALSE(parse({}).options.unlit);
    EXPECT_FALSE(parse({}).options.glow);
    EXPECT_FALSE(parse({}).options.showShadowCube);
    EXPECT_FALSE(parse({}).options.bilinearUpscale);
    EXPECT_FALSE(parse({"--glow=1"}).error.empty());
    EXPECT_FALSE(parse({"--no-shadow-casters=1"}).error.empty());
    EXPECT_FALSE(parse({"--unlit=1"}).error.empty());
}

TEST(CommandLine, CameraTakesExactlyFiveNumbers) {
    LaunchConfig c = parse({"800", "600", "0", "--camera", "-12.5,6,-8.25,45,-10"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_TRUE(c.options.placeCamera);
    const float expected[5] = {-12.5f, 6.0f, -8.25f, 45.0f, -10.0f};
    for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(c.options.cameraPose[i], expected[i]) << i;
    EXPECT_EQ(c.positionalCount, 4);
    EXPECT_FALSE(parse({}).options.placeCamera);
    for (const char* bad : {"1,2,3,4", "1,2,3,4,5,6", "1,2,,4,5", "1,2,3,4,5,", "1,2,x,4,5",
                            "1,2,3,4,91", "1,2,inf,4,5"}) {
        EXPECT_FALSE(parse({"--camera", bad}).error.empty()) << bad;
    }
}

TEST(CommandLine, HeadlessRunsHaveNoWindowToFill) {
    LaunchConfig c = parse({"640", "480", "0", "1", "--headless", "--egl-device", "0"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_TRUE(c.options.headless);
    EXPECT_EQ(c.options.eglDevice, 0);
    EXPECT_TRUE(c.cameraTour);
    EXPECT_EQ(parse({"--headless"}).options.eglDevice, -1);  // chosen at start-up
    EXPECT_FALSE(parse({}).options.headless);
    EXPECT_NE(parse({"800", "600", "1", "--headless"}).error.find("FULLSCREEN"), std::string::npos);
    EXPECT_NE(parse({"--egl-device", "1"}).error.find("--headless"), std::string::npos);
    for (const char* bad : {"-1", "x", "1.5", ""}) {
        EXPECT_FALSE(parse({"--headless", "--egl-device", bad}).error.empty()) << bad;
    }
    EXPECT_FALSE(parse({"--headless=1"}).error.empty());
}

TEST(CommandLine, UsageNamesEveryKeyAndOptionWithinEightyColumns) {
    const std::string usage = usageText();
    size_t lineStart = 0;
    for (size_t end = usage.find('\n'); end != std::string::npos;
         lineStart = end + 1, end = usage.find('\n', lineStart)) {
        EXPECT_LE(end - lineStart, 80u) << usage.substr(lineStart, end - lineStart);
    }
    const size_t start = usage.find("\nKeys: mouse to look, F1 help, ");
    const size_t stop = usage.find(" ESC quit.\n\nEnvironment:\n");
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(stop, std::string::npos);
    const std::string paragraph = usage.substr(start + 1, stop + 11 - (start + 1));
    // Lines break between keys, never inside one.
    for (const keys::Key& key : keys::all()) {
        EXPECT_NE(paragraph.find(std::string(key.name) + " " + key.label), std::string::npos)
            << key.name;
    }
    // Each option starts a line with its argument, its help after it.
    for (const options::Option& option : options::all()) {
        std::string lead = std::string("\n  ") + option.name;
        if (option.takesValue()) lead += std::string(" ") + option.argument;
        const size_t at = usage.find(lead + " ");
        ASSERT_NE(at, std::string::npos) << lead;
        const std::string firstWord = option.help.substr(0, option.help.find(' '));
        const size_t help = usage.find_first_not_of(' ', at + lead.size());
        EXPECT_EQ(usage.compare(help, firstWord.size(), firstWord), 0) << lead;
    }
    EXPECT_NE(usage.find("\n  --auto-keys N        every N frames press the next of F1, F2, F3,"),
              std::string::npos);
    EXPECT_NE(usage.find(" F7, F8, F9, F10, W, A, S, D, SPACE, G, C, M, Tab (soak\n"
                         "                       runs)\n  --gl-debug"),
              std::string::npos);
}
