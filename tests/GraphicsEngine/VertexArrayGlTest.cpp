#include "GraphicsEngine/VertexArray.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "support/GlContext.h"
#include "support/ProgramFromSource.h"
#include "support/TempDataRoot.h"

namespace {

// Reads "position" and "normal" only: "uv" and "tangent" have no location.
const char* const kLitVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
out vec3 colour;
void main() { colour = normal; gl_Position = vec4(position, 1.0); })";
const char* const kLitFragment = R"(#version 330 core
in vec3 colour;
out vec4 fragColor;
void main() { fragColor = vec4(colour, 1.0); })";

// Like a depth-only pass: "position" alone, at another location.
const char* const kDepthVertex = R"(#version 330 core
layout(location = 3) in vec3 position;
void main() { gl_Position = vec4(position, 1.0); })";
const char* const kDepthFragment = R"(#version 330 core
out vec4 fragColor;
void main() { fragColor = vec4(0.0, 0.0, 1.0, 1.0); })";

// One triangle covering the whole viewport, coloured red by its normals.
const float kPositions[9] = {-1.0f, -1.0f, 0.0f, 3.0f, -1.0f, 0.0f, -1.0f, 3.0f, 0.0f};
const float kNormals[9] = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
const float kUvs[6] = {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f};
const unsigned kIndices[3] = {0, 1, 2};

void fillTriangle(VertexArray& va) {
    glGenVertexArrays(1, &va.vao);
    va.addBuffer(GL_ARRAY_BUFFER, sizeof kPositions, 3, kPositions, nullptr, "position");
    va.addBuffer(GL_ARRAY_BUFFER, sizeof kNormals, 3, kNormals, nullptr, "normal");
    va.addBuffer(GL_ARRAY_BUFFER, sizeof kUvs, 2, kUvs, nullptr, "uv");
    va.addBuffer(GL_ARRAY_BUFFER, sizeof kNormals, 3, kNormals, nullptr, "tangent");
    va.addBuffer(GL_ELEMENT_ARRAY_BUFFER, sizeof kIndices, 1, nullptr, kIndices, "indices");
}

// The drawing protocol every pass follows.
void draw(VertexArray& va, const graph::Shader& program) {
    glUseProgram(program.program);
    va.bindToProgram(program);
    glBindVertexArray(va.vao);
    glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

// Fatal stops print on stdout; death tests match stderr, and the console
// pause must not wait for a key.
void routeFatalOutput() {
    std::fflush(stdout);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    if (std::freopen("/dev/null", "r", stdin) == nullptr) std::perror("stdin");
}

}  // namespace

TEST(VertexArray, BindingRecordsBuffersAndLeavesNothingBound) {
    GlContext context;
    TempDataRoot root;
    auto lit = programFromSource(root, kLitVertex, kLitFragment);
    VertexArray va;
    fillTriangle(va);
    context.clearErrors();
    va.bindToProgram(*lit);

    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
    // "uv" and "tangent" are not read by the program: skipped without errors.
    EXPECT_TRUE(context.errors().empty());

    glBindVertexArray(va.vao);
    EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING),
              static_cast<GLint>(va.buffers["indices"]->id));
    GLint source = 0, size = 0, enabled = 0;
    glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &source);
    glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
    glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(source, static_cast<GLint>(va.buffers["normal"]->id));
    EXPECT_EQ(size, 3);
    EXPECT_EQ(enabled, GL_TRUE);
    glGetVertexAttribiv(2, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, GL_FALSE);
    glBindVertexArray(0);
    va.release();
}

TEST(VertexArray, SameBuffersDrawWithProgramsOfDifferentLocations) {
    GlContext context;
    TempDataRoot root;
    auto lit = programFromSource(root, kLitVertex, kLitFragment);
    auto depth = programFromSource(root, kDepthVertex, kDepthFragment);
    VertexArray va;
    fillTriangle(va);
    glViewport(0, 0, 64, 64);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    glClear(GL_COLOR_BUFFER_BIT);
    draw(va, *lit);
    Rgba pixel = readPixel(32, 32);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.b, 0);

    glClear(GL_COLOR_BUFFER_BIT);
    draw(va, *depth);
    pixel = readPixel(10, 50);
    EXPECT_EQ(pixel.r, 0);
    EXPECT_EQ(pixel.b, 255);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_TRUE(context.errors().empty());
    glUseProgram(0);
    va.release();
}

TEST(VertexArray, NamesAreUniquePerArrayOnly) {
    GlContext context;
    VertexArray first, second;
    fillTriangle(first);
    fillTriangle(second);
    EXPECT_EQ(first.buffers.size(), 5u);
    EXPECT_EQ(second.buffers.size(), 5u);
    EXPECT_NE(first.buffers["position"]->id, second.buffers["position"]->id);
    EXPECT_TRUE(context.errors().empty());
    first.release();
    second.release();
}

TEST(VertexArray, ReleaseDeletesTheVertexArrayAndItsBuffers) {
    GlContext context;
    VertexArray va;
    fillTriangle(va);
    const GLuint vao = va.vao;
    const GLuint position = va.buffers["position"]->id;
    va.release();
    EXPECT_EQ(va.vao, 0u);
    EXPECT_TRUE(va.buffers.empty());
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(position));
    EXPECT_TRUE(context.errors().empty());
}

// The context's driver runs threads: death tests re-run the test in a new process.
TEST(VertexArrayDeathTest, DuplicateNameStopsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GlContext context;
    VertexArray va;
    fillTriangle(va);
    EXPECT_EXIT(
        {
            routeFatalOutput();
            va.addBuffer(GL_ARRAY_BUFFER, sizeof kPositions, 3, kPositions, nullptr, "position");
        },
        testing::ExitedWithCode(255), "^Error: duplicate buffer name\n$");
    va.release();
}

TEST(VertexArrayDeathTest, UnknownBufferTypeStopsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GlContext context;
    EXPECT_EXIT(
        {
            routeFatalOutput();
            graph::BufferObject buffer(GL_UNIFORM_BUFFER, 16, 1, kPositions, nullptr);
        },
        testing::ExitedWithCode(255), "^Error: unknown buffer type\n$");

    VertexArray va;
    fillTriangle(va);
    va.buffers["uv"]->type = GL_UNIFORM_BUFFER;
    EXPECT_EXIT(
        {
            routeFatalOutput();
            const graph::Shader none;
            va.bindToProgram(none);
        },
        testing::ExitedWithCode(255), "^Error: unknown buffer type\n$");
    va.buffers["uv"]->type = GL_ARRAY_BUFFER;
    va.release();
}
