#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/ResourceFiles.h"

namespace {

// A fresh temporary folder, removed again at the end of the test.
struct TempFolder {
    std::filesystem::path path;
    explicit TempFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               (name + "-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + std::to_string(reinterpret_cast<uintptr_t>(this)))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
};

int generateInto(const std::filesystem::path& root) {
    const std::string command =
        std::string("\"") + EMBERWIGHT_GENERATOR + "\" \"" + root.string() + "\" > /dev/null";
    return std::system(command.c_str());
}

}  // namespace

TEST(Generator, WritesTheSameBytesEveryRun) {
    TempFolder first("emberwight-resources-a");
    TempFolder second("emberwight-resources-b");
    ASSERT_EQ(generateInto(first.path), 0);
    ASSERT_EQ(generateInto(second.path), 0);
    const auto files = resources::filesBelow(first.path.string());
    EXPECT_EQ(files, resources::filesBelow(second.path.string()));
    EXPECT_EQ(files.size(), 28u);  // 21 images and 7 models
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string a = resources::readFile((first.path / file).string());
        EXPECT_FALSE(a.empty());
        EXPECT_TRUE(a == resources::readFile((second.path / file).string()));
    }
    // The build wrote the same set into the project for the demo to read.
    for (const std::string& file : files)
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(resources::dataRoot()) / file))
            << file;
}

TEST(Generator, RefusesWithoutAnOutputFolder) {
    const std::string command = std::string("\"") + EMBERWIGHT_GENERATOR + "\" 2> /dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
}

TEST(Generator, FailsWhenItCannotWrite) {
    TempFolder folder("emberwight-resources-blocked");
    // A file where the resources folder should be.
    const auto blocker = folder.path / "resources";
    { std::ofstream(blocker.string()) << "x"; }
    const std::string command = std::string("\"") + EMBERWIGHT_GENERATOR + "\" \"" +
                                folder.path.string() + "\" > /dev/null 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
}
