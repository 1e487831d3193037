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
