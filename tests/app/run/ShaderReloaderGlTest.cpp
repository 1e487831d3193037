#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/Engine.h"
#include "app/run/ShaderReloader.h"
#include "support/GlContext.h"
#include "support/TempDataRoot.h"

namespace fs = std::filesystem;

namespace {

// Each save a second later than the last, whatever the file system's clock grain.
void save(const std::string& path, const std::string& text) {
    static int saves = 0;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(++saves));
}

std::string solidColour(const char* rgb) {
    return std::string("#version 330 core\nout vec4 fragColor;\nvoid main() { fragColor = vec4(") +
           rgb + ", 1.0); }\n";
}

// The sky program over the whole window, with its attribute found by name as
// every pass does; returns the centre pixel.
Rgba drawSky(graph::Shader& sky) {
    const float corners[] = {-1, -1, 0, 3, -1, 0, -1, 3, 0};
    GLuint vao = 0, buffer = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    const GLint position = glGetAttribLocation(sky.program, "position");
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 3, GL_FLOAT, GL_FALSE, 0, nullptr);

    glUseProgram(sky.program);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glUniformMatrix4fv(glGetUniformLocation(sky.program, "currentMatrix"), 1, GL_FALSE, identity);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    const Rgba pixel = readPixel(8, 8);

    glUseProgram(0);
    glBindVertexArray(0);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vao);
    return pixel;
}

}  // namespace

TEST(ShaderReload, SavedSourceReplacesTheProgramInPlaceAndABrokenOneIsKeptOut) {
    GlContext context(16, 16);
    TempDataRoot root;
    const fs::path shaderDir = fs::path(root.path()) / "GraphicsEngine" / "Shader";
    fs::create_directories(shaderDir);
    fs::copy(EMBERWIGHT_SHADER_DIR, shaderDir, fs::copy_options::recursive);
    const std::string skyFile = (shaderDir / "SkyShader.frag").string();

    Engine engine;
    testing::internal::CaptureStdout();
    engine.createShaderPrograms();
    testing::internal::GetCapturedStdout();
    graph::Shader* sky = engine.shaders["sky"].get();
    ShaderReloader reloader(engine.shaders, 0.0);

    const GLuint original = sky->program;
    EXPECT_NE(drawSky(*sky).r, 255) << "the sky texture is unbound: black before the save";
    save(skyFile, solidColour("1.0, 0.0, 0.0"));
    EXPECT_TRUE(reloader.poll(0.3).empty()) << "looked before the poll interval";
    std::vector<ReloadReport> reports = reloader.poll(0.6);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].status, "Shader reloaded: SkyShader.frag (sky)");
    EXPECT_EQ(reports[0].console, reports[0].status + "\n");
    EXPECT_EQ(engine.shaders["sky"].get(), sky) << "the same object, so every holder sees it";
    EXPECT_NE(sky->program, original);
    EXPECT_FALSE(glIsProgram(original)) << "the old program is deleted";
    Rgba pixel = drawSky(*sky);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.g, 0);

    // An editor saving by rename leaves an empty file for a moment: not yet a change.
    save(skyFile, "");
    EXPECT_TRUE(reloader.poll(1.2).empty());

    const GLuint red = sky->program;
    save(skyFile, "#version 330 core\nout vec4 fragColor;\nvoid main() { fragColor = vec4(0.0 }\n");
    reports = reloader.poll(1.8);
    ASSERT_EQ(reports.size(), 1u);
    const std::string failed = "Shader reload failed: SkyShader.frag; keeping the running program";
    EXPECT_EQ(reports[0].status, failed);
    const std::string headline = "Failed to compile shader SkyShader.frag (sky)\n";
    EXPECT_EQ(reports[0].console.rfind(headline, 0), 0u) << reports[0].console;
    EXPECT_GT(reports[0].console.size(), headline.size() + failed.size() + 1) << "no compiler log";
    EXPECT_EQ(sky->program, red);
    pixel = drawSky(*sky);
    EXPECT_EQ(pixel.r, 255) << "the running program still draws";
    EXPECT_TRUE(reloader.poll(2.4).empty()) << "a failure is reported once";

    // Compiles, but does not link.
    save(skyFile, "#version 330 core\nout vec4 fragColor;\nvec4 colour();\n"
                  "void main() { fragColor = colour(); }\n");
    reports = reloader.poll(3.0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].status, failed);
    EXPECT_EQ(reports[0].console.rfind("Failed to link shader program sky\n", 0), 0u);
    EXPECT_EQ(sky->program, red);

    // A shared file rebuilds every program built from it, and so does a file
    // that stages take in; the capturing particle program keeps its seven outputs.
    for (const char* name : {"BaseShader.vert", "PSEmission.glsl", "PSSprite.glsl",
                             "PSUpdate.geom"}) {
        const std::string path = (shaderDir / name).string();
        std::ifstream in(path);
        std::ostringstream text;
        text << in.rdbuf() << "// saved again\n";
        save(path, text.str());
    }
    reports = reloader.poll(3.5);
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].status, "Shader reloaded: BaseShader.vert (default, ground)");
    EXPECT_EQ(reports[1].status, "Shader reloaded: PSEmission.glsl (ps_update)");
    EXPECT_EQ(reports[2].status, "Shader reloaded: PSSprite.glsl (ps_render)");
    EXPECT_EQ(reports[3].status, "Shader reloaded: PSUpdate.geom (ps_update)");
    GLint varyings = 0;
    glGetProgramiv(engine.shaders["ps_update"]->program, GL_TRANSFORM_FEEDBACK_VARYINGS, &varyings);
    EXPECT_EQ(varyings, 7);
    EXPECT_EQ(engine.shaders["ps_update"]->fragmentShader, 0u);
    EXPECT_TRUE(context.errors().empty()) << "a broken save is no GL error";
}
