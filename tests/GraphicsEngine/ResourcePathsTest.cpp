#include <gtest/gtest.h>

#include <cstdlib>

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
