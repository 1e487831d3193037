#include <gtest/gtest.h>

#include "render/Antialias.h"

using antialias::Mode;

// GL_RENDERER strings as drivers report them: the CPU's renderers by name,
// in any case and wherever the name stands; a GPU's never.
TEST(Antialias, SoftwareRenderersByTheirNames) {
    const struct {
        const char* renderer;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Google SwiftShader", true},
        {"ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero) (0x0000C0DE)), SwiftShader "
         "driver)",
         true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"NVIDIA GeForce RTX 3060/PCIe/SSE2", false},
        {"AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(antialias::isSoftwareRenderer(c.renderer), c.software) << c.renderer;
    }
}

// The default by the renderer; a settings value over it; the samples drawn.
TEST(Antialias, DefaultsChoicesAndSamples) {
    EXPECT_EQ(antialias::defaultFor(8, false), Mode::Msaa);
    EXPECT_EQ(antialias::defaultFor(4, false), Mode::Msaa);
    EXPECT_EQ(antialias::defaultFor(2, false), Mode::Post);  // too few samples to be worth it
    EXPECT_EQ(antialias::defaultFor(8, true), Mode::Post);   // llvmpipe offers 8, on the CPU

    EXPECT_EQ(antialias::chosen(0, Mode::Msaa), Mode::Msaa);  // "auto"
    EXPECT_EQ(antialias::chosen(1, Mode::Msaa), Mode::Off);
    EXPECT_EQ(antialias::chosen(2, Mode::Msaa), Mode::Post);
    EXPECT_EQ(antialias::chosen(3, Mode::Post), Mode::Msaa);
    EXPECT_EQ(antialias::chosen(7, Mode::Post), Mode::Post);  // out of range: the default

    EXPECT_EQ(antialias::samples(4, 8), 4);
    EXPECT_EQ(antialias::samples(16, 8), 8);
    EXPECT_EQ(antialias::samples(4, 0), 1);  // a driver without: nothing to resolve

    for (const Mode mode : {Mode::Off, Mode::Post, Mode::Msaa}) {
        Mode read = Mode::Off;
        EXPECT_TRUE(antialias::parse(antialias::nameOf(mode), read));
        EXPECT_EQ(read, mode);
    }
    Mode read = Mode::Post;
    EXPECT_FALSE(antialias::parse("fxaa", read));
    EXPECT_FALSE(antialias::parse("", read));
    EXPECT_EQ(read, Mode::Post);
}
