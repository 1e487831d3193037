#include <gtest/gtest.h>

#include "GraphicsEngine/Platform.h"
#include "app/surface/HeadlessSurface.h"
#include "support/DriverLibraries.h"

// The offscreen surface stands in for the window: a complete framebuffer of
// the asked size stays bound, frames can be presented, and shutting it down
// leaves no context current (EGL terminated, not just left behind).
TEST(HeadlessSurfaceGl, DrawsOffscreenAndShutsEglDown) {
    SurfaceRequest request;
    request.width = 320;
    request.height = 240;
    std::string error;
    testing::internal::CaptureStdout();
    std::unique_ptr<HeadlessSurface> surface = HeadlessSurface::open(request, error);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_NE(surface, nullptr) << error;
    EXPECT_NE(printed.find("320 x 240 offscreen on "), std::string::npos) << printed;
    EXPECT_TRUE(platform::glContextCurrent());

    unsigned width = 0, height = 0;
    EXPECT_TRUE(surface->drawableSize(width, height));
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 240u);
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), surface->framebuffer());
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_FALSE(surface->drawsText());
    EXPECT_FALSE(surface->where().empty());

    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    surface->present();
    surface->present();
    unsigned char pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // The driver stays loaded past EGL's shutdown, so that a leak check at
    // exit still knows its allocations by library.
    EXPECT_GT(holdGlDriverLibraries(), 0);
    surface.reset();
    EXPECT_FALSE(platform::glContextCurrent());
}
