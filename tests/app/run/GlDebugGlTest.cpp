#include "app/run/GlDebug.h"

#include <gtest/gtest.h>

#include "support/GlContext.h"

// A driver without the debug-output entry point: --gl-debug says so, does not
// call through the missing pointer, and the closing line counts nothing.
TEST(GlDebug, WithoutTheEntryPointItSaysSoAndRunsOn) {
    GlContext context;
    const PFNGLDEBUGMESSAGECALLBACKPROC offered = glDebugMessageCallback;
    glDebugMessageCallback = nullptr;
    testing::internal::CaptureStdout();
    const bool counting = gldebug::install();
    const std::string printed = testing::internal::GetCapturedStdout();
    glDebugMessageCallback = offered;

    EXPECT_FALSE(counting);
    EXPECT_EQ(printed, "GL debug output is not offered by this driver; running without it.\n");
    EXPECT_EQ(gldebug::summary(), "GL errors: not counted (no debug output)");
    EXPECT_TRUE(context.errors().empty());
}
