#include <gtest/gtest.h>

#include <glm/glm.hpp>

#include "app/Engine.h"
#include "render/RenderState.h"
#include "render/StaticShadowCube.h"
#include "support/GlContext.h"
#include "support/ProgramFromSource.h"
#include "support/TempDataRoot.h"

namespace {

// A full-viewport triangle whose red channel is one comparison lookup.
const char* const kLookupVertex = R"(#version 330 core
void main() {
    vec2 corner = vec2(gl_VertexID == 1 ? 3.0 : -1.0, gl_VertexID == 2 ? 3.0 : -1.0);
    gl_Position = vec4(corner, 0.0, 1.0);
})";
const char* const kLookupFragment = R"(#version 330 core
uniform sampler2DShadow shadowMap;
uniform vec3 lookup;
out vec4 fragColor;
void main() { fragColor = vec4(texture(shadowMap, lookup), 0.0, 0.0, 1.0); })";

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

GLenum statusOf(GLuint framebuffer) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return status;
}

// The lit pass's lookup: red = texture(shadowMap, lookup) on the default framebuffer.
unsigned char compare(GLuint program, GLuint shadowMap, glm::vec3 lookup) {
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, shadowMap);
    glUniform1i(glGetUniformLocation(program, "shadowMap"), 0);
    glUniform3f(glGetUniformLocation(program, "lookup"), lookup.x, lookup.y, lookup.z);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    return readPixel(8, 8).r;
}

}  // namespace

TEST(RenderTargets, BothTargetsAreCompleteAndLeaveTheDefaultBound) {
    GlContext context;
    Engine engine;
    RenderState render;  // the lit pass's cube sampler is the passes' state
    engine.render = &render;
    engine.surface = context.surface();
    testing::internal::CaptureStdout();
    engine.createShadowMap();
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), static_cast<GLint>(engine.shadowMapFramebuffer));
    engine.createShadowCube();
    StaticShadowCube kept;
    kept.create(*RenderBackend::create(false), engine.shadowCubeTexture,
                engine.shadowCubeFramebuffer, engine.shadowCubeWidth, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // no "ERROR: Framebuffer fail"
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);

    EXPECT_EQ(engine.shadowMapWidth, 2048);
    EXPECT_EQ(engine.shadowMapHeight, 2048);
    EXPECT_EQ(engine.shadowCubeWidth, 1024);
    EXPECT_EQ(engine.shadowCubeHeight, 1024);
    EXPECT_EQ(statusOf(engine.shadowMapFramebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_EQ(statusOf(engine.shadowCubeFramebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    // The static casters' cube, stored alike so that copying it is exact.
    EXPECT_EQ(statusOf(kept.framebuffer),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_EQ(kept.drawTarget, engine.shadowCubeFramebuffer);
    // What desktop OpenGL 3.3 can do, the cube copy where the driver has it.
    const Capabilities can = RenderBackend::create(false)->capabilities();
    EXPECT_TRUE(can.drawsLines && can.floatTargets && can.timesPasses);
    EXPECT_FALSE(can.textThroughImGui);
    EXPECT_EQ(can.copiesCubeImages, GLEW_VERSION_4_3 || driverLists("GL_ARB_copy_image"));
    GLint formats[2] = {};
    for (int i = 0; i < 2; ++i) {
        glBindTexture(GL_TEXTURE_CUBE_MAP,
                      i == 0 ? engine.shadowCubeTexture : kept.texture);
        glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, 0, GL_TEXTURE_INTERNAL_FORMAT,
                                 &formats[i]);
    }
    EXPECT_EQ(formats[0], formats[1]);

    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, engine.shadowMapTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &value);
    EXPECT_EQ(value, GL_DEPTH_COMPONENT24);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &value);
    EXPECT_EQ(value, GL_COMPARE_REF_TO_TEXTURE);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_CLAMP_TO_BORDER);

    glBindTexture(GL_TEXTURE_CUBE_MAP, engine.shadowCubeTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, 0, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 1024);
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_COMPARE_MODE, &value);
    EXPECT_EQ(value, GL_NONE);
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, &value);
    EXPECT_EQ(value, GL_CLAMP_TO_EDGE);

    glBindFramebuffer(GL_FRAMEBUFFER, engine.shadowCubeFramebuffer);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                          GL_FRAMEBUFFER_ATTACHMENT_LAYERED, &value);
    EXPECT_EQ(value, GL_TRUE);
    glGetIntegerv(GL_DRAW_BUFFER, &value);
    EXPECT_EQ(value, GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_TRUE(context.errors().empty());
}

TEST(RenderTargets, BiasMatrixMapsClipToTextureRange) {
    GlContext context;
    Engine engine;
    RenderState render;
    engine.render = &render;
    engine.surface = context.surface();
    testing::internal::CaptureStdout();
    engine.createShadowMap();
    testing::internal::GetCapturedStdout();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const glm::vec4 low = engine.shadowBiasMatrix * glm::vec4(-1.0f, -1.0f, -1.0f, 1.0f);
    const glm::vec4 high = engine.shadowBiasMatrix * glm::vec4(1.0f, 1.0f, 1.0f, 1.0f);
    const glm::vec4 mid = engine.shadowBiasMatrix * glm::vec4(0.0f, 0.5f, -0.5f, 1.0f);
    EXPECT_EQ(low, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(high, glm::vec4(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(mid, glm::vec4(0.5f, 0.75f, 0.25f, 1.0f));
    EXPECT_EQ(engine.shadowBiasMatrix[3], glm::vec4(0.5f, 0.5f, 0.5f, 1.0f));
}

TEST(RenderTargets, LookupOutsideTheDirectionalMapIsLit) {
    GlContext context;
    TempDataRoot root;
    Engine engine;
    RenderState render;
    engine.render = &render;
    engine.surface = context.surface();
    testing::internal::CaptureStdout();
    engine.createShadowMap();
    engine.createShadowCube();
    auto program = programFromSource(root, kLookupVertex, kLookupFragment);
    testing::internal::GetCapturedStdout();

    // Everything inside the map lies at depth 0.25.
    glBindFramebuffer(GL_FRAMEBUFFER, engine.shadowMapFramebuffer);
    glViewport(0, 0, engine.shadowMapWidth, engine.shadowMapHeight);
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, 64, 64);
    GLuint emptyArray = 0;
    glGenVertexArrays(1, &emptyArray);
    glBindVertexArray(emptyArray);

    const GLuint map = engine.shadowMapTexture;
    EXPECT_EQ(compare(program->program, map, {0.5f, 0.5f, 0.5f}), 0);    // behind: shadowed
    EXPECT_EQ(compare(program->program, map, {0.5f, 0.5f, 0.2f}), 255);  // in front: lit
    EXPECT_EQ(compare(program->program, map, {1.5f, 0.5f, 0.5f}), 255);
    EXPECT_EQ(compare(program->program, map, {0.5f, -0.7f, 0.9f}), 255);
    EXPECT_EQ(compare(program->program, map, {-2.0f, 3.0f, 1.0f}), 255);

    glBindVertexArray(0);
    glDeleteVertexArrays(1, &emptyArray);
    glUseProgram(0);
    EXPECT_TRUE(context.errors().empty());
}

// OpenGL ES 3.0 (--gles) has no border colour, no layered attachment, no
// glDrawBuffer and only sized depth formats: the same targets, made the way
// it takes them, without a GL error.
TEST(RenderTargets, OnOpenGlEsBothTargetsAreCompleteWithoutAnError) {
    GlContext context(64, 64, true);  // OpenGL ES
    Engine engine;
    RenderState render;
    render.backend = RenderBackend::create(true);
    engine.render = &render;
    engine.surface = context.surface();
    testing::internal::CaptureStdout();
    engine.createShadowMap();
    engine.createShadowCube();
    StaticShadowCube kept;
    kept.create(*render.backend, engine.shadowCubeTexture, engine.shadowCubeFramebuffer,
                engine.shadowCubeWidth, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // no "ERROR: Framebuffer fail"
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(statusOf(engine.shadowMapFramebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_EQ(statusOf(engine.shadowCubeFramebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_EQ(statusOf(kept.framebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    // What ES can do: no image copy (the cube is blitted face by face), no
    // lines, text through Dear ImGui; float targets and timers by extension.
    const Capabilities can = render.backend->capabilities();
    EXPECT_FALSE(can.copiesCubeImages);
    EXPECT_FALSE(can.drawsLines);
    EXPECT_TRUE(can.textThroughImGui);
    EXPECT_EQ(can.floatTargets, driverLists("GL_EXT_color_buffer_float"));
    EXPECT_EQ(can.timesPasses, driverLists("GL_EXT_disjoint_timer_query"));

    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, engine.shadowMapTexture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_CLAMP_TO_EDGE);
    // The cube's own filter is NEAREST: ES filters a depth texture only when
    // it compares (the lit pass's sampler does; the shadow-cube box does not).
    glBindTexture(GL_TEXTURE_CUBE_MAP, engine.shadowCubeTexture);
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

// The scene's target below a render scale of 1, on both renderers: a 32 x 32
// picture, red on the left and blue on the right, fills the 64 x 64 display,
// bilinear (a ramp across the seam, not a step), with its depth cleared.
TEST(RenderTargets, TheScaledSceneFillsTheDisplayBilinearOnBothRenderers) {
    for (const bool es : {false, true}) {
        SCOPED_TRACE(es ? "OpenGL ES" : "desktop");
        GlContext context(64, 64, es);
        Engine engine;
        RenderState render;
        render.backend = RenderBackend::create(es);
        engine.render = &render;
        engine.surface = context.surface();
        engine.width = engine.height = 64;
        ASSERT_TRUE(engine.sizeScaledTarget(32, 32));
        EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
        EXPECT_EQ(statusOf(render.scaledTarget.framebuffer),
                  static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

        glBindFramebuffer(GL_FRAMEBUFFER, render.scaledTarget.framebuffer);
        glEnable(GL_SCISSOR_TEST);
        for (const int half : {0, 1}) {
            glScissor(half * 16, 0, 16, 32);
            glClearColor(half == 0 ? 1.0f : 0.0f, 0.0f, half == 0 ? 0.0f : 1.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClearDepthf(0.5f);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepthf(1.0f);
        engine.upscaleScene();

        EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 64);
        EXPECT_EQ(viewport[3], 64);
        const Rgba left = readPixel(2, 60), right = readPixel(61, 3);
        EXPECT_EQ(left.r, 255);
        EXPECT_EQ(left.b, 0);
        EXPECT_EQ(right.r, 0);
        EXPECT_EQ(right.b, 255);
        // Across the seam (x = 32): red falls over two pixels each side.
        int ramp = 0;
        for (int x = 28; x < 36; ++x) {
            const Rgba p = readPixel(x, 32);
            ramp += p.r > 10 && p.r < 245 ? 1 : 0;
            if (x > 28) {
                EXPECT_LE(p.r, readPixel(x - 1, 32).r) << x;
            }
        }
        EXPECT_GE(ramp, 2);
        // The overlay's text tests against a cleared depth.
        if (!es) {
            float depth = 0.0f;
            glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
            EXPECT_EQ(depth, 1.0f);
        }
        // A new size follows.
        ASSERT_TRUE(engine.sizeScaledTarget(40, 30));
        GLint width = 0;
        glBindTexture(GL_TEXTURE_2D, render.scaledTarget.colour);
        if (!es) glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glBindTexture(GL_TEXTURE_2D, 0);
        if (!es) {
            EXPECT_EQ(width, 40);
        }
        EXPECT_TRUE(context.errors().empty()) << context.errors().front();
    }
}
