// The glow's tone curve as the shipped blend program draws it: scene colours
// through BlendShader.frag with the glow's constants, read back as floats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"
#include "render/GlowRules.h"
#include "support/GlContext.h"

namespace {

GLuint floatTexture(int width, const float* rgba) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, width, 1, 0, GL_RGBA, GL_FLOAT, rgba);
    return texture;
}

}  // namespace

TEST(BlendShader, TonesARampOfSceneColoursAsTheTableSays) {
    // Scene colour -> what the display shows: unchanged up to the knee (0.75),
    // then 1 - 0.25 e^(-4 (x - 0.75)); a quarter of the brightest channel's
    // excess over 1 is added to all three first, so cores burn towards white.
    struct Case {
        float in[3], out[3];
    };
    const Case cases[] = {
        {{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}},
        {{0.25f, 0.25f, 0.25f}, {0.25f, 0.25f, 0.25f}},
        {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}},
        {{0.75f, 0.75f, 0.75f}, {0.75f, 0.75f, 0.75f}},
        {{1.0f, 1.0f, 1.0f}, {0.908030f, 0.908030f, 0.908030f}},
        {{1.25f, 1.25f, 1.25f}, {0.973650f, 0.973650f, 0.973650f}},
        {{1.5f, 1.5f, 1.5f}, {0.992451f, 0.992451f, 0.992451f}},
        {{2.0f, 2.0f, 2.0f}, {0.999380f, 0.999380f, 0.999380f}},
        {{3.0f, 3.0f, 3.0f}, {0.999996f, 0.999996f, 0.999996f}},
        // A lit stone and a dim warm ground in the night keep their levels.
        {{0.10f, 0.09f, 0.08f}, {0.10f, 0.09f, 0.08f}},
        {{0.45f, 0.30f, 0.15f}, {0.45f, 0.30f, 0.15f}},
        // A flame within range stays orange; flames added far past 1 turn white.
        {{0.95f, 0.5f, 0.12f}, {0.887668f, 0.5f, 0.12f}},
        {{1.5f, 0.2f, 0.0f}, {0.992451f, 0.325f, 0.125f}},
        {{4.0f, 2.0f, 0.4f}, {1.0f, 0.999916f, 0.949526f}},
    };
    const int count = static_cast<int>(std::size(cases));

    GlContext context;
    graph::Shader blend;
    testing::internal::CaptureStdout();
    blend.createProgram(std::string(EMBERWIGHT_SHADER_DIR) + "/ScreenShader.vert",
                        std::string(EMBERWIGHT_SHADER_DIR) + "/BlendShader.frag");
    testing::internal::GetCapturedStdout();

    std::vector<float> scene;
    for (const Case& c : cases) scene.insert(scene.end(), {c.in[0], c.in[1], c.in[2], 1.0f});
    const float noGlow[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLuint sceneTexture = floatTexture(count, scene.data());
    const GLuint glowTexture = floatTexture(1, noGlow);
    const GLuint target = floatTexture(count, nullptr);
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));

    // The full-screen triangle at attribute 0, as the glow draws it.
    const float corners[] = {-1.0f, -1.0f, 3.0f, -1.0f, -1.0f, 3.0f};
    GLuint vao = 0, buffer = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);

    const GLuint program = blend.program;
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    glUniform1i(glGetUniformLocation(program, "glowTexture"), 1);
    glUniform1f(glGetUniformLocation(program, "glowStrength"), glow::kLevelWeights[0]);
    glUniform1f(glGetUniformLocation(program, "exposure"), GlowSettings{}.exposure);
    glUniform1f(glGetUniformLocation(program, "knee"), glow::kKnee);
    glUniform1f(glGetUniformLocation(program, "whiteSpill"), glow::kWhiteSpill);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, glowTexture);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_BLEND);
    glViewport(0, 0, count, 1);
    glDrawArrays(GL_TRIANGLES, 0, 3);

    std::vector<float> shown(4u * static_cast<size_t>(count));
    glReadPixels(0, 0, count, 1, GL_RGBA, GL_FLOAT, shown.data());
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(shown[4 * i + c], cases[i].out[c], 2e-5f)
                << "case " << i << " channel " << c << " from " << cases[i].in[c];
        }
    }
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    const GLuint textures[] = {sceneTexture, glowTexture, target};
    glDeleteTextures(3, textures);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vao);
}
