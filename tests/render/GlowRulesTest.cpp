#include <gtest/gtest.h>

#include "render/GlowRules.h"

TEST(GlowRules, BrightPassAtAQuarterLevelsAtAnEighthToAThirtySecondNeverBelowOneTexel) {
    struct Case {
        unsigned width, height;
        int level, expectWidth, expectHeight;
    };
    const Case cases[] = {
        {1024, 768, 0, 128, 96}, {1024, 768, 1, 64, 48}, {1024, 768, 2, 32, 24},
        {1280, 720, 2, 40, 22},  {50, 20, 1, 3, 1},      {1, 1, 0, 1, 1},
        {0, 768, 0, 0, 0},       {1024, 0, 1, 0, 0},     {1024, 768, 3, 0, 0},
        {1024, 768, -1, 0, 0},
    };
    for (const Case& c : cases) {
        const glow::Size size = glow::levelSize(c.width, c.height, c.level);
        EXPECT_EQ(size.width, c.expectWidth) << c.width << "x" << c.height << " level " << c.level;
        EXPECT_EQ(size.height, c.expectHeight) << c.width << "x" << c.height << " level " << c.level;
    }
    EXPECT_EQ(glow::brightSize(1024, 768).width, 256);
    EXPECT_EQ(glow::brightSize(1024, 768).height, 192);
    EXPECT_EQ(glow::brightSize(3, 2).width, 1);
    EXPECT_EQ(glow::brightSize(0, 2).height, 0);
}

TEST(GlowRules, ToneCurveKeepsTheDarkAndRollsOffBelowWhite) {
    // The identity up to the knee: the night keeps its grey levels.
    for (float x : {0.0f, 0.05f, 0.3f, glow::kKnee}) EXPECT_FLOAT_EQ(glow::toneCurve(x), x);
    // Above it rising and below 1 (until float rounding reaches 1), and close
    // to 1 for light far past it.
    float last = glow::kKnee;
    for (float x = glow::kKnee + 0.01f; x < 3.0f; x += 0.01f) {
        const float y = glow::toneCurve(x);
        ASSERT_GT(y, last) << x;
        ASSERT_LT(y, 1.0f) << x;
        ASSERT_LE(y, x) << x;
        last = y;
    }
    EXPECT_GT(glow::toneCurve(2.0f), 0.99f);
    EXPECT_LE(glow::toneCurve(100.0f), 1.0f);
    // Meets the identity without a kink.
    const float h = 1e-3f;
    EXPECT_NEAR((glow::toneCurve(glow::kKnee + h) - glow::kKnee) / h, 1.0f, 0.01f);
}

TEST(GlowRules, DarkSurfacesStayFlamesTurnWhite) {
    // A lit stone in the night and a dim warm ground: unchanged to a grey level.
    for (glm::vec3 dark : {glm::vec3(0.10f, 0.09f, 0.08f), glm::vec3(0.45f, 0.30f, 0.15f)}) {
        const glm::vec3 shown = glow::display(dark);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(shown[c], dark[c], 1.0f / 255.0f);
    }
    // A flame within the window's range stays orange, red over green over blue.
    const glm::vec3 flame = glow::display(glm::vec3(0.95f, 0.5f, 0.12f));
    EXPECT_GT(flame.r, flame.g);
    EXPECT_GT(flame.g, flame.b + 0.2f);
    // Many flames added far past 1 burn nearly white, not clipped orange.
    const glm::vec3 core = glow::display(glm::vec3(4.0f, 2.0f, 0.4f));
    EXPECT_GT(core.b, 0.8f);
    EXPECT_GT(core.g, 0.95f);
}
