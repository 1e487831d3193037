// The panel drawn by each back end's Dear ImGui renderer: on desktop OpenGL
// and on OpenGL ES 3.0, where the desktop build of the renderer would set
// polygon modes and primitive restart, both errors there.
#include <gtest/gtest.h>

#include <imgui.h>

#include <vector>

#include "app/Game.h"
#include "game/Scene.h"
#include "support/GlContext.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

struct Panel {
    GlContext context;
    Game game;
    Engine& engine = game.engine;

    explicit Panel(bool es) : context(kWidth, kHeight, es) {
        game.render.backend = RenderBackend::create(es);
        game.render.askCapabilities();
        testing::internal::CaptureStdout();
        game.scene = new Scene(&engine);  // the game deletes it
        testing::internal::GetCapturedStdout();
        engine.scene = game.scene;
        engine.game = &game;
        engine.render = &game.render;
        engine.surface = context.surface();
        engine.width = kWidth;
        engine.height = kHeight;
        game.session.panelOpen = true;
    }
};

// Pixels of a region (origin at the top left) that are not the clear colour.
int drawnPixels(int x0, int y0, int x1, int y1) {
    std::vector<unsigned char> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &rgba[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4];
            if (p[0] != 0 || p[1] != 0 || p[2] != 255) ++count;
        }
    return count;
}

void clearBlue() {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace

class SettingsPanelGl : public testing::TestWithParam<bool> {};

TEST_P(SettingsPanelGl, DrawsAtTheRightWithoutGlErrors) {
    Panel panel(GetParam());
    // Its windows take a frame to size themselves.
    for (int frame = 0; frame < 3; ++frame) {
        glViewport(1, 2, 3, 4);
        clearBlue();
        panel.engine.drawPanel(1.0 / 60.0);
    }
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 3);  // the renderer puts back what it changed
    // 380 pixels wide, 8 from the right edge: its window covers most of that.
    EXPECT_GT(drawnPixels(kWidth - 380, 8, kWidth - 8, kHeight - 8), 380 * 300);
    EXPECT_EQ(drawnPixels(0, 0, kWidth - 400, kHeight), 0);
    EXPECT_TRUE(panel.context.errors().empty()) << panel.context.errors().front();
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, SettingsPanelGl, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Es" : "Desktop";
                         });

TEST(SettingsPanelGl, EsTextAndPanelShareOneContext) {
    Panel panel(true);
    Engine& engine = panel.engine;
    engine.showStatus("Settings panel: ON", false);
    clearBlue();
    engine.drawOverlay();  // the text first: it makes the context
    ASSERT_NE(panel.game.session.ui, nullptr);
    ImGuiContext* const context = ImGui::GetCurrentContext();
    for (int frame = 0; frame < 3; ++frame) {
        clearBlue();
        engine.drawOverlay();
        engine.drawPanel(1.0 / 60.0);
    }
    EXPECT_EQ(ImGui::GetCurrentContext(), context);
    EXPECT_GT(drawnPixels(0, 0, 200, 35), 50);  // the status line, beside the panel
    EXPECT_GT(drawnPixels(kWidth - 380, 8, kWidth - 8, kHeight - 8), 380 * 300);
    EXPECT_TRUE(panel.context.errors().empty()) << panel.context.errors().front();

    // Closed and shut down: the panel, then the context, while GL is there.
    panel.game.session.panel.reset();
    panel.game.session.ui.reset();
    EXPECT_EQ(ImGui::GetCurrentContext(), nullptr);
    EXPECT_TRUE(panel.context.errors().empty()) << panel.context.errors().front();
}
