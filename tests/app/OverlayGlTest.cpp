#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/Engine.h"
#include "app/Game.h"
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

// An engine over a hidden window of the desktop's GL or OpenGL ES 3.0, with
// the matching back end, its game holding what the text may need.
struct Overlay {
    GlContext context;
    Game game;
    Engine& engine = game.engine;

    explicit Overlay(bool es, int width = 800, int height = 600) : context(width, height, es) {
        if (!es) initGlutOnce();
        game.render.backend = RenderBackend::create(es);
        game.render.askCapabilities();
        engine.game = &game;
        engine.render = &game.render;
        engine.surface = context.surface();
        engine.width = static_cast<unsigned>(width);
        engine.height = static_cast<unsigned>(height);
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

// The text's pixels in a region given with its origin at the top left: pure
// white ones, those that white text covers at least three quarters of (the
// ImGui font's edges are blended) and those tinted, not grey: over black,
// white text leaves grey only.
struct TextPixels {
    int white = 0, covered = 0, tinted = 0;
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;  // the covered ones' bounds
};
TextPixels textPixels(int width, int height, int x0, int y0, int x1, int y1) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    TextPixels found;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &rgba[(static_cast<size_t>(height - 1 - y) * width + x) * 4];
            if (p[0] == 255 && p[1] == 255 && p[2] == 255) ++found.white;
            if (p[0] != p[1] || p[1] != p[2]) ++found.tinted;
            if (p[0] < 192 || p[1] < 192 || p[2] < 192) continue;
            ++found.covered;
            found.x0 = std::min(found.x0, x);
            found.y0 = std::min(found.y0, y);
            found.x1 = std::max(found.x1, x + 1);
            found.y1 = std::max(found.y1, y + 1);
        }
    return found;
}

// Status and help at the left, the frame time at the right, drawn once.
void drawStatusHelpAndFrameTime(Engine& engine) {
    engine.showStatus("Help: ON");
    engine.showHelp = true;
    engine.showFrameTime = true;
    engine.frameTime = 0.005f;
    testing::internal::CaptureStdout();
    engine.drawOverlay();
    testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(OverlayGl, TextIsPlainWhiteWhateverProgramWasBound) {
    Overlay overlay(false);
    Engine& engine = overlay.engine;
    testing::internal::CaptureStdout();
    engine.createShaderPrograms();
    testing::internal::GetCapturedStdout();
    glUseProgram(engine.shaders["default"]->program);

    engine.showStatus("Help: ON");
    engine.showHelp = true;
    testing::internal::CaptureStdout();
    engine.drawOverlay();
    const std::string echoed = testing::internal::GetCapturedStdout();

    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
    EXPECT_GT(textPixels(800, 600, 0, 0, 400, 300).white, 500);    // status and help, top left
    EXPECT_EQ(textPixels(800, 600, 420, 0, 800, 600).covered, 0);  // nothing on the right
    EXPECT_EQ(echoed, "Help: ON\n" + overlay::helpText + "\n");
    EXPECT_FALSE(engine.echoStatus);
    EXPECT_EQ(overlay.game.session.ui, nullptr);  // the desktop's text needs no ImGui
    EXPECT_TRUE(overlay.context.errors().empty()) << overlay.context.errors().front();
}

TEST(OverlayGl, EchoesOnlyOnceAndNeverTheCounters) {
    for (const bool es : {false, true}) {
        SCOPED_TRACE(es ? "OpenGL ES" : "desktop");
        Overlay overlay(es);
        Engine& engine = overlay.engine;
        engine.showObjectCount = engine.showParticleCount = engine.showFrameTime = true;
        engine.frameTime = 0.005f;
        engine.objectsDrawn = 3;
        engine.showStatus("Object counter Enabled");

        testing::internal::CaptureStdout();
        engine.drawOverlay();
        engine.drawOverlay();
        const std::string echoed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(echoed, "Object counter Enabled\nFrametime: 5.0000 ms - FPS:  200 - antialias off\n");
        // The counters are drawn at the right, below the frame time.
        EXPECT_GT(textPixels(800, 600, 480, 0, 800, 120).covered, 200);
        EXPECT_TRUE(overlay.context.errors().empty()) << overlay.context.errors().front();
    }
}

// ES has no fixed function: the same pieces in Dear ImGui's font, white, at
// the bitmap font's places: the same left edges and baselines, the help's
// last line at freeglut's spacing, 18 lines below its first.
TEST(OverlayGl, EsTextIsWhiteWhereTheDesktopsIs) {
    TextPixels desktop[3], es[3];
    for (const bool gles : {false, true}) {
        Overlay overlay(gles);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        drawStatusHelpAndFrameTime(overlay.engine);
        TextPixels* found = gles ? es : desktop;
        found[0] = textPixels(800, 600, 0, 0, 400, 35);     // the status row, left
        found[1] = textPixels(800, 600, 0, 35, 400, 600);   // the help below it
        found[2] = textPixels(800, 600, 400, 0, 800, 35);   // the frame time, right
        if (gles) {
            EXPECT_NE(overlay.game.session.ui, nullptr);  // made for the text
            EXPECT_TRUE(overlay.context.errors().empty()) << overlay.context.errors().front();
        }
    }
    for (int piece = 0; piece < 3; ++piece) {
        SCOPED_TRACE(piece);
        ASSERT_GT(desktop[piece].covered, 50);
        ASSERT_GT(es[piece].covered, 50);
        EXPECT_EQ(es[piece].tinted, 0);
        EXPECT_NEAR(es[piece].x0, desktop[piece].x0, 2);
        EXPECT_NEAR(es[piece].y1, desktop[piece].y1, 2);
        // Its capitals are a little shorter than Helvetica's.
        EXPECT_NEAR(es[piece].y0, desktop[piece].y0, 6);
    }
}

TEST(OverlayGl, EsTextStaysOffWhereTheSurfaceDrawsNone) {
    // The offscreen surface draws no text: nothing drawn, no ImGui made, and
    // the toggles still echo.
    struct NoText : WindowSurface {
        explicit NoText(GLFWwindow* window) : WindowSurface(window) {}
        bool drawsText() const override { return false; }
    };
    Overlay overlay(true);
    overlay.engine.surface = std::make_unique<NoText>(overlay.context.window());
    overlay.engine.showStatus("Help: ON");
    testing::internal::CaptureStdout();
    overlay.engine.drawOverlay();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Help: ON\n");
    EXPECT_EQ(textPixels(800, 600, 0, 0, 800, 600).covered, 0);
    EXPECT_EQ(overlay.game.session.ui, nullptr);
}
