#include <gtest/gtest.h>

#include <algorithm>

#include "app/Engine.h"
#include "app/Overlay.h"

TEST(Overlay, FrameTimeLineUnderEachLimit) {
    EXPECT_EQ(overlay::frameTimeLine(0.008333f), "Frametime: 8.3330 ms - FPS:  120");
    EXPECT_EQ(overlay::frameTimeLine(0.016667f), "Frametime: 16.6670 ms - FPS:   60");
    EXPECT_EQ(overlay::frameTimeLine(0.005f), "Frametime: 5.0000 ms - FPS:  200");
    EXPECT_EQ(overlay::frameTimeLine(0.0005f), "Frametime: 0.5000 ms - FPS: 2000");
    // The render scale in use, where it is below 1.
    EXPECT_EQ(overlay::frameTimeLine(0.016667f, 1.0f), "Frametime: 16.6670 ms - FPS:   60");
    EXPECT_EQ(overlay::frameTimeLine(0.033333f, 0.75f),
              "Frametime: 33.3330 ms - FPS:   30 - scale 0.75");
    EXPECT_EQ(overlay::frameTimeLine(0.05f, 0.5f), "Frametime: 50.0000 ms - FPS:   20 - scale 0.50");
    // The anti-aliasing that runs, after the scale.
    EXPECT_EQ(overlay::frameTimeLine(0.016667f, 1.0f, "post"),
              "Frametime: 16.6670 ms - FPS:   60 - antialias post");
    EXPECT_EQ(overlay::frameTimeLine(0.05f, 0.5f, "msaa"),
              "Frametime: 50.0000 ms - FPS:   20 - scale 0.50 - antialias msaa");
}

TEST(Overlay, CounterLines) {
    EXPECT_EQ(overlay::objectCountLine(12), "Number of Objects: 12");
    EXPECT_EQ(overlay::particleCountLine(0), "Number of Particles: 0");
    EXPECT_EQ(overlay::particleCountLine(123456), "Number of Particles: 123456");
}

TEST(Overlay, HelpTextHasTwentyLinesAndNoTrailingLineFeed) {
    // Built from the key table: its help lines in its order, none for F9, F10,
    // F12, SPACE or the walking keys.
    const std::string& help = overlay::helpText;
    EXPECT_EQ(std::count(help.begin(), help.end(), '\n'), 19);
    EXPECT_EQ(help,
              "Emberwight - Help:\n"
              "\n"
              "Controls:\n"
              "Move the mouse to look around.\n"
              "Use WASD to move.\n"
              "\n"
              "F1 - show Help (toggle)\n"
              "F2 - show Frametime (toggle)\n"
              "F3 - wireframe mode (toggle)\n"
              "F4 - change texture sampling mode\n"
              "F5 - change mipmap mode\n"
              "F6 - change FPS limit\n"
              "F7 - show object count (toggle)\n"
              "F8 - disable view frustum culling (toggle)\n"
              "F11 - full screen (toggle)\n"
              "G - glow around the fire (toggle)\n"
              "C - show the shadow cube as a box (toggle)\n"
              "M - mute the fire's sound (toggle)\n"
              "Tab - settings panel (toggle)\n"
              "ESC - quit");
    // The page's: its own way to look, and ESC is the browser's.
    const std::string page = overlay::helpFor("Drag to look.", false);
    EXPECT_EQ(page.rfind("Emberwight - Help:\n\nControls:\nDrag to look.\nUse WASD to move.\n", 0),
              0u);
    EXPECT_EQ(page.find("ESC"), std::string::npos);
    EXPECT_EQ(page.substr(page.rfind('\n') + 1), "Tab - settings panel (toggle)");
}

TEST(Overlay, OnlyTheStatusShowsByDefault) {
    Engine e;
    const std::vector<overlay::Piece> pieces = overlay::pieces(e);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].text, "");  // drawn even when empty
    EXPECT_FLOAT_EQ(pieces[0].x, -0.98f);
    EXPECT_FLOAT_EQ(pieces[0].y, 0.93f);
    EXPECT_TRUE(pieces[0].echoed);
}

TEST(Overlay, EveryPieceInOrderWithItsPlaceAndEcho) {
    Engine e;
    e.statusText = "Particle counter Enabled";
    e.showHelp = e.showFrameTime = e.showObjectCount = e.showParticleCount = true;
    e.frameTime = 0.016667f;
    e.objectsDrawn = 12;
    e.particlesCounted = 4400;
    const std::vector<overlay::Piece> p = overlay::pieces(e);
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[0].text, "Particle counter Enabled");
    EXPECT_EQ(p[1].text, overlay::helpText);
    EXPECT_FLOAT_EQ(p[1].y, 0.85f);
    EXPECT_EQ(p[2].text, "Frametime: 16.6670 ms - FPS:   60");
    EXPECT_FLOAT_EQ(p[2].x, 0.2f);
    EXPECT_FLOAT_EQ(p[2].y, 0.93f);
    EXPECT_EQ(p[3].text, "Number of Objects: 12");
    EXPECT_FLOAT_EQ(p[3].y, 0.87f);
    EXPECT_EQ(p[4].text, "Number of Particles: 4400");
    EXPECT_FLOAT_EQ(p[4].y, 0.81f);
    // Counters are never copied to the console.
    EXPECT_TRUE(p[0].echoed && p[1].echoed && p[2].echoed);
    EXPECT_FALSE(p[3].echoed || p[4].echoed);
}

TEST(Overlay, LinesKeepTheirPixelDistanceFromTheTopAtAnyHeight) {
    // 0.93 and 0.87 in a 768-pixel framebuffer: 26.88 and 49.92 pixels down.
    for (unsigned height : {240u, 480u, 768u, 1080u, 2160u}) {
        const float status = overlay::rowY(0.93f, height), next = overlay::rowY(0.87f, height);
        EXPECT_NEAR((1.0f - status) * height / 2.0f, 26.88f, 1e-3f) << height;
        EXPECT_NEAR((status - next) * height / 2.0f, 23.04f, 1e-3f) << height;
    }
    EXPECT_FLOAT_EQ(overlay::rowY(0.85f, 768), 0.85f);

    Engine e;
    e.height = 384;
    e.showFrameTime = true;
    const std::vector<overlay::Piece> p = overlay::pieces(e);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_NEAR(p[1].y, 0.86f, 1e-5f);
    EXPECT_FLOAT_EQ(p[1].x, 0.2f);  // across, positions scale with the width
}
