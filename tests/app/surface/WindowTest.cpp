#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/surface/Window.h"
#include "game/Camera.h"

using window::Rect;

TEST(Window, FullScreenGoesToTheMonitorHoldingMostOfTheWindow) {
    const std::vector<Rect> two = {{0, 0, 1920, 1080}, {1920, 0, 2560, 1440}};
    EXPECT_EQ(window::monitorFor({100, 100, 800, 600}, two), 0);
    EXPECT_EQ(window::monitorFor({2000, 50, 800, 600}, two), 1);
    EXPECT_EQ(window::monitorFor({1600, 0, 800, 600}, two), 1);  // 320 px on the left, 480 on the right
    EXPECT_EQ(window::monitorFor({1400, 0, 800, 600}, two), 0);
    EXPECT_EQ(window::monitorFor({-5000, -5000, 100, 100}, two), 0);  // on none: the first
    EXPECT_EQ(window::monitorFor({0, 0, 100, 100}, {}), -1);
}

TEST(Window, MinimisedWindowsAreNotDrawn) {
    EXPECT_TRUE(window::drawable(640, 480, false));
    EXPECT_FALSE(window::drawable(0, 0, false));
    EXPECT_FALSE(window::drawable(640, 0, false));
    EXPECT_FALSE(window::drawable(640, 480, true));  // X11 keeps an iconified window's size
}

// 45 degrees high on a screen wider than tall, 45 degrees across on one
// taller than wide (a portrait phone), the two alike on a square.
TEST(Window, ProjectionFollowsTheFramebuffersAspect) {
    for (const glm::uvec2& size : {glm::uvec2(640, 480), glm::uvec2(1000, 700),
                                  glm::uvec2(2560, 1080), glm::uvec2(500, 500),
                                  glm::uvec2(300, 900), glm::uvec2(390, 844)}) {
        const glm::mat4 p = camera::projection(size.x, size.y);
        const float aspect = static_cast<float>(size.x) / static_cast<float>(size.y);
        EXPECT_FLOAT_EQ(p[1][1] / p[0][0], aspect) << size.x << " x " << size.y;
        const float held = aspect >= 1.0f ? p[1][1] : p[0][0];
        EXPECT_FLOAT_EQ(held, 1.0f / std::tan(glm::radians(22.5f))) << size.x << " x " << size.y;
    }
}
