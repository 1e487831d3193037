#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/run/CommandLine.h"
#include "app/run/PageAddress.h"

using Args = std::vector<std::string>;

TEST(PageAddress, ParametersReadAsTheCommandLine) {
    struct Case {
        const char* query;
        Args args;
    };
    const Case cases[] = {
        {"", {"emberwight", "800", "600", "0", "0", "--target-fps=30"}},
        {"?tour=1&glow=1&panel=0",
         {"emberwight", "800", "600", "0", "1", "--glow", "--target-fps=30"}},
        {"width=320&height=240&frames=40&fixed-dt=0.05",
         {"emberwight", "320", "240", "0", "0", "--frames=40", "--fixed-dt=0.05",
          "--target-fps=30"}},
        {"camera=-3%2C7%2C2%2C225%2C-22",
         {"emberwight", "800", "600", "0", "0", "--camera=-3,7,2,225,-22", "--target-fps=30"}},
        {"settings=my+look.json&&=3", {"emberwight", "800", "600", "0", "0",
                                       "--settings=my look.json", "--target-fps=30"}},
        {"frames=10&frames=20", {"emberwight", "800", "600", "0", "0", "--frames=20",
                                 "--target-fps=30"}},
        {"glow=true&gles=1",
         {"emberwight", "800", "600", "0", "0", "--glow", "--gles", "--target-fps=30"}},
        {"mute=1&volume=0.25",
         {"emberwight", "800", "600", "0", "0", "--mute", "--volume=0.25", "--target-fps=30"}},
        // The address's own target, 0 turning it off.
        {"target-fps=0", {"emberwight", "800", "600", "0", "0", "--target-fps=0"}},
        {"glow=1&target-fps=60&render-scale=0.5",
         {"emberwight", "800", "600", "0", "0", "--glow", "--target-fps=60",
          "--render-scale=0.5"}},
    };
    for (const Case& c : cases) EXPECT_EQ(address::commandLine(c.query, 800, 600), c.args) << c.query;
}

TEST(PageAddress, BadParametersGetTheCommandLinesOwnWords) {
    const auto error = [](const char* query) {
        return parseCommandLine(address::commandLine(query, 800, 600), options::kBrowser).error;
    };
    EXPECT_EQ(error("frames=abc"), "--frames needs a whole number of frames above 0, got 'abc'");
    EXPECT_EQ(error("frames="), "--frames needs a whole number of frames above 0, got ''");
    EXPECT_EQ(error("glow=2"), "--glow needs no value, got '2'");
    EXPECT_EQ(error("colour=red"), "unknown option '--colour=red' (see --help)");
    EXPECT_EQ(error("frames=40&tour=1"), "");
    EXPECT_EQ(error("headless=1"), "--headless does not apply in the page");
    EXPECT_EQ(error("target-fps=-1"),
              "--target-fps needs a whole number of frames per second from 0 to 240, got '-1'");
    EXPECT_EQ(error("render-scale=0.4"), "--render-scale needs a number from 0.5 to 1, got '0.4'");
    EXPECT_EQ(error("volume=2"), "--volume needs a number from 0 to 1, got '2'");
    EXPECT_EQ(error("mute=1&volume=0"), "");
}

// The page takes every option the table says it takes, and only those.
TEST(PageAddress, OptionsApplyWhereTheTableSays) {
    for (const options::Option& option : options::all()) {
        const std::string query = std::string(option.name + 2) + "=1";
        const std::string error =
            parseCommandLine(address::commandLine(query, 800, 600), options::kBrowser).error;
        const bool refused = error.find("does not apply in the page") != std::string::npos;
        EXPECT_EQ(refused, (option.where & options::kBrowser) == 0) << query << ": " << error;
    }
}

// docs/command-line.md lists the options as the table has them.
TEST(PageAddress, TheDocumentedListIsTheTable) {
    std::ifstream in(EMBERWIGHT_DATA_ROOT "/docs/command-line.md");
    const std::string docs((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(docs.empty());
    EXPECT_NE(docs.find(options::markdownList()), std::string::npos)
        << "docs/command-line.md's list should read:\n" << options::markdownList();
}

TEST(PageAddress, MalformedEscapesStandAsTheyAre) {
    EXPECT_EQ(address::decode("a%2"), "a%2");
    EXPECT_EQ(address::decode("%zz%41"), "%zzA");
    EXPECT_EQ(address::decode("100%25"), "100%");
}
