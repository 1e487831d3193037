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

// The frame's targets by their description, on both renderers: complete
// with the images asked for, remade for a new description, multisampled as
// renderbuffers, refused with the reason where GL will not have them, and
// gone once released.
TEST(RenderTargets, ADescriptionMakesRemakesAndReleasesItsTarget) {
    for (const bool es : {false, true}) {
        SCOPED_TRACE(es ? "OpenGL ES" : "desktop");
        GlContext context(64, 64, es);
        graph::RenderTarget target;
        graph::TargetDescription scene;
        scene.width = 32;
        scene.height = 24;
        scene.depth = graph::DepthImage::Texture;
        ASSERT_TRUE(target.make(scene, "scene")) << target.failure();
        EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
        EXPECT_EQ(statusOf(target.framebuffer()), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        EXPECT_NE(target.colour(), 0u);
        EXPECT_NE(target.depth(), 0u);
        // The colour alone, for a pass that reads the depth meanwhile.
        const GLuint colourOnly = target.colourOnlyFramebuffer();
        EXPECT_EQ(statusOf(colourOnly), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

        // The same description keeps it; a new one remakes it at its size.
        const GLuint framebuffer = target.framebuffer();
        EXPECT_TRUE(target.make(scene, "scene"));
        EXPECT_EQ(target.framebuffer(), framebuffer);
        scene.width = 40;
        scene.colour = graph::ColourFormat::Rgba16f;
        const bool floats = es ? driverLists("GL_EXT_color_buffer_float") : true;
        EXPECT_EQ(target.make(scene, "scene"), floats) << target.failure();
        if (!es) {
            GLint width = 0;
            glBindTexture(GL_TEXTURE_2D, target.colour());
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
            glBindTexture(GL_TEXTURE_2D, 0);
            EXPECT_EQ(width, 40);
        }
        if (floats) {
            EXPECT_EQ(statusOf(target.colourOnlyFramebuffer()),
                      static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        }

        // Four samples: colour and depth in renderbuffers, no textures.
        graph::TargetDescription multisampled = scene;
        multisampled.colour = graph::ColourFormat::Rgba8;
        multisampled.samples = 4;
        graph::RenderTarget msaa;
        ASSERT_TRUE(msaa.make(multisampled, "multisampled")) << msaa.failure();
        EXPECT_EQ(msaa.colour(), 0u);
        EXPECT_EQ(msaa.depth(), 0u);
        glBindFramebuffer(GL_FRAMEBUFFER, msaa.framebuffer());
        EXPECT_EQ(integer(GL_SAMPLES), 4);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);

        // Wider than any texture: refused, with the target's name and status.
        GLint largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        graph::TargetDescription wide = scene;
        wide.width = largest + 1;
        graph::RenderTarget refused;
        EXPECT_FALSE(refused.make(wide, "glowed"));
        EXPECT_EQ(refused.failure().rfind("the glowed target is incomplete (0x", 0), 0u)
            << refused.failure();
        EXPECT_FALSE(refused.complete());
        context.clearErrors();

        // Released: every name gone.
        const GLuint names[] = {target.framebuffer(), target.colourOnlyFramebuffer(),
                                msaa.framebuffer(), refused.framebuffer()};
        const GLuint textures[] = {target.colour(), target.depth()};
        for (graph::RenderTarget* each : {&target, &msaa, &refused}) each->release();
        for (const GLuint name : names) EXPECT_FALSE(glIsFramebuffer(name)) << name;
        for (const GLuint name : textures) EXPECT_FALSE(glIsTexture(name)) << name;
        EXPECT_EQ(target.framebuffer(), 0u);
        EXPECT_TRUE(context.errors().empty()) << context.errors().front();
    }
}
