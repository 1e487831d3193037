#include <gtest/gtest.h>

#include <vector>

#include "app/Engine.h"
#include "app/Overlay.h"
#include "support/GlContext.h"

#include <GL/freeglut.h>

namespace {

void initGlutOnce() {
    static bool done = false;
    if (done) return;
    int argc = 1;
    char name[] = "gl_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    done = true;
}

// Counts pure white pixels in a region given with its origin at the top left.
int whitePixels(int width, int height, int x0, int y0, int x1, int y1) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &rgba[(static_cast<size_t>(height - 1 - y) * width + x) * 4];
            if (p[0] == 255 && p[1] == 255 && p[2] == 255) ++count;
        }
    return count;
}

}  // namespace

TEST(OverlayGl, TextIsPlainWhiteWhateverProgramWasBound) {
    GlContext context(800, 600);
    initGlutOnce();
    Engine engine;
    engine.surface = context.surface();
    engine.width = 800;
    engine.height = 600;
    testing::internal::CaptureStdout();
    engine.createShaderPrograms();
    testing::internal::GetCapturedStdout();
    glUseProgram(engine.shaders["default"]->program);

    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    engine.showStatus("Help: ON");
    engine.showHelp = true;
    testing::internal::CaptureStdout();
    engine.drawOverlay();
    const std::string echoed = testing::internal::GetCapturedStdout();

    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
    EXPECT_GT(whitePixels(800, 600, 0, 0, 400, 300), 500);  // status and help, top left
    EXPECT_EQ(whitePixels(800, 600, 420, 0, 800, 600), 0);  // nothing on the right
    EXPECT_EQ(echoed, "Help: ON\n" + overlay::helpText + "\n");
    EXPECT_FALSE(engine.echoStatus);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST(OverlayGl, EchoesOnlyOnceAndNeverTheCounters) {
    GlContext context(800, 600);
    initGlutOnce();
    Engine engine;
    engine.surface = context.surface();
    engine.showObjectCount = engine.showParticleCount = engine.showFrameTime = true;
    engine.frameTime = 0.005f;
    engine.objectsDrawn = 3;
    engine.showStatus("Object counter Enabled");

    testing::internal::CaptureStdout();
    engine.drawOverlay();
    engine.drawOverlay();
    const std::string echoed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(echoed, "Object counter Enabled\nFrametime: 5.0000 ms - FPS:  200\n");
    // The counters are drawn at the right, below the frame time.
    EXPECT_GT(whitePixels(800, 600, 480, 0, 800, 120), 200);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}
