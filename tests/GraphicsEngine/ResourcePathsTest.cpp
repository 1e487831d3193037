#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "GraphicsEngine/ResourcePaths.h"

TEST(ResourcePaths, SystemPrefixesResolveBelowTheRoot) {
    EXPECT_EQ(paths::resolveWithRoot(paths::kShaderDir + "BaseShader.vert", "/data"),
              "/data/GraphicsEngine/Shader/BaseShader.vert");
    EXPECT_EQ(paths::resolveWithRoot(paths::kTextureDir + "noise.tga", "/data/"),
              "/data/resources/textures/noise.tga");
    EXPECT_EQ(paths::resolveWithRoot(paths::kModelDir + "skybox.obj", "rel"),
              "rel/resources/models/skybox.obj");
}

TEST(ResourcePaths, OtherPathsOnlyChangeSeparators) {
    EXPECT_EQ(paths::resolveWithRoot("a\\b\\c.txt", "/data"), "a/b/c.txt");
    EXPECT_EQ(paths::resolveWithRoot("/abs/file", "/data"), "/abs/file");
}

TEST(ResourcePaths, EnvironmentOverridesTheRoot) {
    setenv(paths::kRootVariable, "/elsewhere", 1);
    EXPECT_EQ(paths::dataRoot(), "/elsewhere");
    EXPECT_EQ(paths::resolvePath(paths::kModelDir + "x.obj"), "/elsewhere/resources/models/x.obj");
    setenv(paths::kRootVariable, "", 1);
    EXPECT_EQ(paths::dataRoot(), EMBERWIGHT_DATA_ROOT);
    unsetenv(paths::kRootVariable);
    EXPECT_EQ(paths::dataRoot(), EMBERWIGHT_DATA_ROOT);
}

TEST(ResourcePaths, RootFollowsTheExecutablesFolder) {
    struct Case {
        const char* executableDir;
        std::set<std::string> directories;
        const char* root;
    };
    const Case cases[] = {
        // The Windows archive: the data beside emberwight.exe.
        {"C:/Games/emberwight", {"C:/Games/emberwight/GraphicsEngine/Shader"}, "C:/Games/emberwight"},
        // An installed package: bin/ and share/emberwight/ side by side.
        {"/usr/bin", {"/usr/share/emberwight/GraphicsEngine/Shader"}, "/usr/share/emberwight"},
        {"/opt/x/bin", {"/opt/x/share/emberwight/GraphicsEngine/Shader"}, "/opt/x/share/emberwight"},
        // Beside the executable wins over share/.
        {"/usr/bin", {"/usr/bin/GraphicsEngine/Shader", "/usr/share/emberwight/GraphicsEngine/Shader"},
         "/usr/bin"},
        // A development build: neither, so the source tree.
        {"/src/build", {}, "/src"},
        {"/src/build", {"/share/emberwight/GraphicsEngine/Shader"}, "/src"},
        // share/emberwight without its shaders is not a data root.
        {"/usr/bin", {"/usr/share/emberwight"}, "/src"},
        // The system did not say where the program is.
        {"", {"/GraphicsEngine/Shader"}, "/src"},
    };
    for (const Case& c : cases) {
        const auto isDirectory = [&](const std::string& path) { return c.directories.count(path) > 0; };
        EXPECT_EQ(paths::rootForExecutable(c.executableDir, "/src", isDirectory), c.root)
            << "executable in '" << c.executableDir << "'";
    }
}
