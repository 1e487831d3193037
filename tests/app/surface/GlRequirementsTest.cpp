#include <gtest/gtest.h>

#include "app/surface/GlRequirements.h"

using requirements::GlVersion;

TEST(GlRequirements, VersionIsTheLeadingMajorMinor) {
    struct Case {
        const char* text;
        int major, minor;
        bool es;
    };
    const Case cases[] = {{"3.3 Mesa 22.3.6", 3, 3, false},
                          {"4.6.0 NVIDIA 535.104.05", 4, 6, false},
                          {"3.0 Mesa 22.3.6", 3, 0, false},
                          {"4.5 (Compatibility Profile)", 4, 5, false},
                          {"OpenGL ES 3.2 Mesa 22.3.6", 3, 2, true},
                          {"OpenGL ES 2.0 Mesa", 2, 0, true},
                          {"OpenGL ES GLSL ES 3.00", 0, 0, false},
                          {"", 0, 0, false},
                          {nullptr, 0, 0, false}};
    for (const Case& c : cases) {
        const GlVersion v = requirements::parseVersion(c.text);
        EXPECT_EQ(v.major, c.major) << (c.text ? c.text : "null");
        EXPECT_EQ(v.minor, c.minor) << (c.text ? c.text : "null");
        EXPECT_EQ(v.es, c.es) << (c.text ? c.text : "null");
    }
}

TEST(GlRequirements, ThreeThreeWithFeedbackObjectsOrFourAreEnough) {
    EXPECT_EQ(requirements::unmet({3, 3}, true, "r"), "");
    EXPECT_EQ(requirements::unmet({4, 0}, false, "r"), "");
    EXPECT_EQ(requirements::unmet({4, 6}, true, "r"), "");

    EXPECT_EQ(requirements::unmet({3, 0}, true, "llvmpipe (LLVM 15.0.6, 256 bits)"),
              "Emberwight needs OpenGL 3.3 or newer; this driver offers 3.0 "
              "(llvmpipe (LLVM 15.0.6, 256 bits))");
    EXPECT_NE(requirements::unmet({2, 1}, true, "r").find("offers 2.1 (r)"), std::string::npos);
    EXPECT_NE(requirements::unmet({3, 2}, true, "r").find("needs OpenGL 3.3 or newer"),
              std::string::npos);
    EXPECT_NE(requirements::unmet({3, 3}, false, "r").find("GL_ARB_transform_feedback2"),
              std::string::npos);
    EXPECT_NE(requirements::unmet({0, 0}, true, "r").find("offers 0.0"), std::string::npos);
}

TEST(GlRequirements, GlesWantsAnEsThreeContext) {
    EXPECT_EQ(requirements::unmetEs({3, 0, true}, "r"), "");
    EXPECT_EQ(requirements::unmetEs({3, 2, true}, "r"), "");
    EXPECT_EQ(requirements::unmetEs({2, 0, true}, "r"),
              "Emberwight --gles needs OpenGL ES 3.0 or newer; this driver offers "
              "OpenGL ES 2.0 (r)");
    // A desktop context, however new, is not what --gles asked for.
    EXPECT_NE(requirements::unmetEs({4, 5, false}, "r").find("offers OpenGL 4.5 (r)"),
              std::string::npos);
}
