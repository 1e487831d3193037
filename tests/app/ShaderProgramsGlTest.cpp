#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/Engine.h"
#include "support/GlContext.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::string baseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

TEST(ShaderPrograms, AllNineteenLinkAndPrintTheirPathsInOrder) {
    GlContext context;
    Engine engine;
    testing::internal::CaptureStdout();
    engine.createShaderPrograms();
    const std::vector<std::string> printed = lines(testing::internal::GetCapturedStdout());

    const std::vector<std::string> expected = {
        "BaseShader.vert", "BaseShader.frag", "BaseShader.vert", "GroundShader.frag",
        "AlphaShader.vert", "AlphaShader.frag", "PlaneShader.vert", "PlaneShader.frag",
        "SkyShader.vert", "SkyShader.frag", "ShadowMapShader.vert", "ShadowMapShader.frag",
        "ShadowMapOmniFirstPassShader.vert", "ShadowMapOmniFirstPassShader.frag",
        "ShadowMapOmniFirstPassShader.geom", "shadowMapDebugCubeShader.vert",
        "shadowMapDebugCubeShader.frag", "SunShader.vert", "SunShader.frag",
        "ScreenShader.vert", "ThresholdShader.frag", "ScreenShader.vert", "BlendShader.frag",
        "ScreenShader.vert", "FilterShader.frag", "ScreenShader.vert", "HalfDepthShader.frag",
        "ScreenShader.vert", "ParticleCompositeShader.frag", "ScreenShader.vert",
        "EdgeFilterShader.frag", "ScreenShader.vert", "UpscaleShader.frag", "PSUpdate.vert", "PSUpdate.geom",
        "PSRender.vert", "PSRender.geom", "PSRender.frag", "EmberwightShader.vert",
        "EmberwightShader.frag"};
    ASSERT_EQ(printed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(baseName(printed[i]), expected[i]) << "line " << i;
        EXPECT_EQ(printed[i].find('\\'), std::string::npos) << printed[i];
    }

    EXPECT_EQ(engine.shaders.size(), 19u);
    for (const auto& [key, shader] : engine.shaders) {
        GLint linked = 0;
        glGetProgramiv(shader->program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE) << key;
    }
    EXPECT_EQ(engine.shaders["ps_update"]->fragmentShader, 0u);
    EXPECT_NE(engine.shaders["ps_render"]->fragmentShader, 0u);
    EXPECT_NE(engine.shaders["shadowOmni"]->geometryShader, 0u);
    EXPECT_EQ(engine.shaders["default"]->geometryShader, 0u);

    GLint varyings = 0;
    glGetProgramiv(engine.shaders["ps_update"]->program, GL_TRANSFORM_FEEDBACK_VARYINGS, &varyings);
    EXPECT_EQ(varyings, 7);
    EXPECT_TRUE(context.errors().empty());
}

TEST(ShaderPrograms, FragmentOutputIsBoundToColourZero) {
    GlContext context;
    Engine engine;
    testing::internal::CaptureStdout();
    engine.createShaderPrograms();
    testing::internal::GetCapturedStdout();
    for (const char* key : {"default", "sky", "emberwight", "ps_render", "shadowOmni"}) {
        EXPECT_EQ(glGetFragDataLocation(engine.shaders[key]->program, "fragColor"), 0) << key;
    }
}
