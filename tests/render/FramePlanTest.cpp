#include <gtest/gtest.h>

#include <string>

#include "render/FramePlan.h"

namespace {

using frame::Pass;
using frame::Target;

const char* letter(Target target) {
    static const char* const letters[frame::kTargets] = {"-", "D", "S", "H", "G", "M", "F"};
    return letters[static_cast<int>(target)];
}

const char* shortName(Pass pass) {
    static const char* const names[frame::kPasses] = {
        "cube",      "clear",     "pre",    "sky",  "ground",    "objects", "box",  "resolve",
        "update",    "halfdepth", "particles", "composite", "counts", "glow", "todisplay",
        "upscale",   "post"};
    return names[static_cast<int>(pass)];
}

// "S 320x240 rgba8 depth, H 160x120 rgba8 depth | cube clear>S ... todisplay>D<S":
// the targets made (x4: multisampled), then each step with the target it
// draws into (>), what it reads (<) and ~ where its polygons are lines.
std::string described(const frame::Plan& plan) {
    std::string text;
    for (int i = 0; i < frame::kTargets; ++i) {
        const auto target = static_cast<Target>(i);
        if (!plan.makes(target)) continue;
        const graph::TargetDescription& d = plan.target(target);
        if (!text.empty()) text += ", ";
        text += std::string(letter(target)) + " " + std::to_string(d.width) + "x" +
                std::to_string(d.height) +
                (d.colour == graph::ColourFormat::Rgba16f ? " rgba16f" : " rgba8") +
                (d.depth == graph::DepthImage::Texture ? " depth" : "") +
                (d.depth == graph::DepthImage::Renderbuffer ? " depthbuffer" : "") +
                (d.samples > 1 ? " x" + std::to_string(d.samples) : "");
    }
    text += " |";
    for (const frame::Step& step : plan) {
        text += std::string(" ") + shortName(step.pass);
        if (step.into != Target::None) text += std::string(">") + letter(step.into);
        if (step.reads != 0) {
            text += "<";
            for (int i = 0; i < frame::kTargets; ++i) {
                if (step.readsFrom(static_cast<Target>(i))) text += letter(static_cast<Target>(i));
            }
        }
        if (step.lines) text += "~";
    }
    return text;
}

frame::Inputs fire(unsigned width = 320, unsigned height = 240) {
    frame::Inputs in;
    in.width = width;
    in.height = height;
    in.particles = true;
    in.halfSizeParticles = true;
    return in;
}

const char* const kScene = "cube clear>S pre>S sky>S ground>S objects>S update";
const char* const kSceneOnDisplay = "cube clear>D pre>D sky>D ground>D objects>D";
const char* const kMultisampled = "cube clear>M pre>M sky>M ground>M objects>M resolve>S<M";

frame::Inputs antialiased(antialias::Mode mode, frame::Inputs in = fire()) {
    in.antialias = mode;
    in.samples = 4;
    return in;
}

}  // namespace

// Which targets a frame makes and which pass draws where, for every kind of
// input: the render scale, the glow, the particles and their size, the box,
// F3, a surface of no size and the targets GL refuses.
TEST(FramePlan, TargetsAndPassesFollowWhatTheFrameDraws) {
    struct Case {
        const char* what;
        frame::Inputs inputs;
        std::string expected;
    };
    auto with = [](frame::Inputs in, auto change) {
        change(in);
        return in;
    };
    const std::string scene = kScene, display = kSceneOnDisplay, msaa = kMultisampled;
    const Case cases[] = {
        {"the default: half-size particles need the scene's depth; copied at 1", fire(),
         "S 320x240 rgba8 depth, H 160x120 rgba8 depth | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts todisplay>D<S"},
        {"whole-size particles draw straight into the display",
         with(fire(), [](auto& in) { in.halfSizeParticles = false; }),
         " | " + display + " update particles>D counts"},
        {"no particle systems", with(fire(), [](auto& in) { in.particles = false; }),
         " | " + display + " counts"},
        {"the glow: floating point scene and layer, blended into the display",
         with(fire(), [](auto& in) { in.glow = true; }),
         "S 320x240 rgba16f depth, H 160x120 rgba16f depth | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts glow>D<S"},
        {"the glow with whole-size particles",
         with(fire(), [](auto& in) { in.glow = true, in.halfSizeParticles = false; }),
         "S 320x240 rgba16f depth | " + scene + " particles>S counts glow>D<S"},
        {"half the render scale: scaled up, edges kept",
         with(fire(), [](auto& in) { in.renderScale = 0.5f; }),
         "S 160x120 rgba8 depth, H 80x60 rgba8 depth | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts upscale>D<S"},
        {"half the scale, whole-size particles",
         with(fire(), [](auto& in) { in.renderScale = 0.5f, in.halfSizeParticles = false; }),
         "S 160x120 rgba8 depth | " + scene + " particles>S counts upscale>D<S"},
        {"half the scale with the glow: glowed at the scale, then scaled up",
         with(fire(), [](auto& in) { in.renderScale = 0.5f, in.glow = true; }),
         "S 160x120 rgba16f depth, H 80x60 rgba16f depth, G 160x120 rgba8 | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts glow>G<S upscale>D<G"},
        {"half the scale, bilinear asked for: the blit",
         with(fire(), [](auto& in) { in.renderScale = 0.5f, in.bilinearUpscale = true; }),
         "S 160x120 rgba8 depth, H 80x60 rgba8 depth | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts todisplay>D<S"},
        {"bilinear with the glow below the scale",
         with(fire(), [](auto& in) { in.renderScale = 0.5f, in.glow = true, in.bilinearUpscale = true; }),
         "S 160x120 rgba16f depth, H 80x60 rgba16f depth, G 160x120 rgba8 | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts glow>G<S todisplay>D<G"},
        {"a scale that rounds to the whole size: copied",
         with(fire(), [](auto& in) { in.renderScale = 0.999f; }),
         "S 320x240 rgba8 depth, H 160x120 rgba8 depth | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts todisplay>D<S"},
        {"an odd size: every scene pixel has a half-size one", fire(321, 241),
         "S 321x241 rgba8 depth, H 161x121 rgba8 depth | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts todisplay>D<S"},
        {"the box and F3: lines on the scene's geometry, not on screen passes",
         with(fire(), [](auto& in) { in.box = true, in.wireframe = true; }),
         "S 320x240 rgba8 depth, H 160x120 rgba8 depth | cube~ clear>S pre>S~ sky>S~ "
         "ground>S~ objects>S~ box>S~ update halfdepth>H<S particles>H~ composite>S<SH counts "
         "todisplay>D<S"},
        {"a minimised window: nothing of its own, no glow",
         with(fire(0, 0), [](auto& in) { in.glow = true; }),
         " | " + display + " update particles>D counts"},
        {"the scene's target refused: the whole size, straight into the display",
         with(fire(), [](auto& in) { in.renderScale = 0.5f, in.sceneRefused = true; }),
         " | " + display + " update particles>D counts"},
        {"the half-size target refused: whole-size particles",
         with(fire(), [](auto& in) { in.halfRefused = true; }),
         " | " + display + " update particles>D counts"},
        {"the half-size target refused below the scale",
         with(fire(), [](auto& in) { in.halfRefused = true, in.renderScale = 0.75f; }),
         "S 240x180 rgba8 depth | " + scene + " particles>S counts upscale>D<S"},
        // msaa: the geometry multisampled, resolved before anything reads the scene.
        {"msaa: colour and depth resolved for the half-size particles",
         antialiased(antialias::Mode::Msaa),
         "S 320x240 rgba8 depth, H 160x120 rgba8 depth, M 320x240 rgba8 depth x4 | " + msaa +
             " update halfdepth>H<S particles>H composite>S<SH counts todisplay>D<S"},
        {"msaa, whole-size particles: drawn over the resolved scene, tested by its depth",
         with(antialiased(antialias::Mode::Msaa), [](auto& in) { in.halfSizeParticles = false; }),
         "S 320x240 rgba8 depth, M 320x240 rgba8 depth x4 | " + msaa +
             " update particles>S counts todisplay>D<S"},
        {"msaa without particles: no depth resolved",
         with(antialiased(antialias::Mode::Msaa), [](auto& in) { in.particles = false; }),
         "S 320x240 rgba8 depth, M 320x240 rgba8 depthbuffer x4 | " + msaa +
             " counts todisplay>D<S"},
        {"msaa with the glow at half the scale: floating-point samples at the scale",
         with(antialiased(antialias::Mode::Msaa),
              [](auto& in) { in.glow = true, in.renderScale = 0.5f, in.samples = 8; }),
         "S 160x120 rgba16f depth, H 80x60 rgba16f depth, G 160x120 rgba8, M 160x120 rgba16f "
         "depth x8 | " +
             msaa + " update halfdepth>H<S particles>H composite>S<SH counts glow>G<S upscale>D<G"},
        {"msaa with one sample: drawn as off",
         with(antialiased(antialias::Mode::Msaa), [](auto& in) { in.samples = 1; }),
         described(frame::plan(fire()))},
        {"the multisampled target refused: drawn as off",
         with(antialiased(antialias::Mode::Msaa), [](auto& in) { in.multisampledRefused = true; }),
         described(frame::plan(fire()))},
        // post: the finished picture filtered into the display, from the scene's
        // own where that is the finished one.
        {"post: from the scene, in place of the copy", antialiased(antialias::Mode::Post),
         "S 320x240 rgba8 depth, H 160x120 rgba8 depth | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts post>D<S"},
        {"post, whole-size particles: the scene gets a target to be read from",
         with(antialiased(antialias::Mode::Post), [](auto& in) { in.halfSizeParticles = false; }),
         "S 320x240 rgba8 depth | " + scene + " particles>S counts post>D<S"},
        {"post with the glow: glowed into the final target",
         with(antialiased(antialias::Mode::Post), [](auto& in) { in.glow = true; }),
         "S 320x240 rgba16f depth, H 160x120 rgba16f depth, F 320x240 rgba8 | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts glow>F<S post>D<F"},
        {"post below the scale: scaled up into the final target, filtered at the whole size",
         with(antialiased(antialias::Mode::Post), [](auto& in) { in.renderScale = 0.5f; }),
         "S 160x120 rgba8 depth, H 80x60 rgba8 depth, F 320x240 rgba8 | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts upscale>F<S post>D<F"},
        {"post below the scale, bilinear",
         with(antialiased(antialias::Mode::Post),
              [](auto& in) { in.renderScale = 0.5f, in.bilinearUpscale = true; }),
         "S 160x120 rgba8 depth, H 80x60 rgba8 depth, F 320x240 rgba8 | " + scene +
             " halfdepth>H<S particles>H composite>S<SH counts todisplay>F<S post>D<F"},
        {"post with the glow below the scale",
         with(antialiased(antialias::Mode::Post),
              [](auto& in) { in.glow = true, in.renderScale = 0.5f; }),
         "S 160x120 rgba16f depth, H 80x60 rgba16f depth, G 160x120 rgba8, F 320x240 rgba8 | " +
             scene +
             " halfdepth>H<S particles>H composite>S<SH counts glow>G<S upscale>F<G post>D<F"},
        {"the final target refused: drawn as off",
         with(antialiased(antialias::Mode::Post),
              [](auto& in) { in.renderScale = 0.5f, in.finalRefused = true; }),
         described(frame::plan(with(fire(), [](auto& in) { in.renderScale = 0.5f; })))},
        {"post with the scene refused: straight into the display, unfiltered",
         with(antialiased(antialias::Mode::Post), [](auto& in) { in.sceneRefused = true; }),
         " | " + display + " update particles>D counts"},
        {"a minimised window: nothing to smooth",
         antialiased(antialias::Mode::Post, fire(0, 0)),
         " | " + display + " update particles>D counts"},
        // Soft particles read the scene's depth, which only its own target offers.
        {"soft at half size: the sprites read the whole-size depth",
         with(fire(), [](auto& in) { in.softParticles = true; }),
         "S 320x240 rgba8 depth, H 160x120 rgba8 depth | " + scene +
             " halfdepth>H<S particles>H<S composite>S<SH counts todisplay>D<S"},
        {"soft at the whole size: the scene gets a target, its depth tested by the sprites",
         with(fire(), [](auto& in) { in.softParticles = true, in.halfSizeParticles = false; }),
         "S 320x240 rgba8 depth | " + scene + " particles>S<S counts todisplay>D<S"},
        {"soft with msaa: the resolved depth read",
         with(antialiased(antialias::Mode::Msaa),
              [](auto& in) { in.softParticles = true, in.halfSizeParticles = false; }),
         "S 320x240 rgba8 depth, M 320x240 rgba8 depth x4 | " + msaa +
             " update particles>S<S counts todisplay>D<S"},
        {"soft with the scene refused: hard, straight into the display",
         with(fire(), [](auto& in) { in.softParticles = true, in.sceneRefused = true; }),
         " | " + display + " update particles>D counts"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(described(frame::plan(c.inputs)), c.expected) << c.what;
    }
}

// Over every combination of the inputs: the passes keep their order, every
// target read was drawn into before, every target made is drawn into, the
// frame ends in the display, it runs the anti-aliasing it plans, and only a
// scene of another size is scaled up through the upscale's program.
TEST(FramePlan, EveryCombinationReadsOnlyWhatItDrewAndEndsInTheDisplay) {
    for (unsigned bits = 0; bits < 16384; ++bits) {
        frame::Inputs in = antialiased(static_cast<antialias::Mode>((bits >> 8) % 3));
        in.multisampledRefused = (bits & 1024) != 0;
        in.finalRefused = (bits & 2048) != 0;
        in.softParticles = (bits & 4096) != 0;
        in.renderScale = (bits & 1) != 0 ? 0.6f : 1.0f;
        in.glow = (bits & 2) != 0;
        in.particles = (bits & 4) != 0;
        in.halfSizeParticles = (bits & 8) != 0;
        in.box = (bits & 16) != 0;
        in.wireframe = (bits & 32) != 0;
        in.sceneRefused = (bits & 64) != 0;
        in.halfRefused = (bits & 128) != 0;
        in.bilinearUpscale = (bits & 8192) != 0;
        const frame::Plan plan = frame::plan(in);
        const bool scaled = plan.sceneSize.width != 320 || plan.sceneSize.height != 240;
        SCOPED_TRACE(described(plan));
        unsigned drawn = 0;
        int last = -1;
        bool display = false;
        for (const frame::Step& step : plan) {
            EXPECT_GT(static_cast<int>(step.pass), last);
            last = static_cast<int>(step.pass);
            EXPECT_EQ(step.reads & ~drawn, 0u) << shortName(step.pass);
            // Only through the scene's colour alone, reading its depth.
            const bool colourOnly = step.pass == Pass::Composite || step.pass == Pass::Particles;
            EXPECT_EQ(step.readsFrom(step.into) && !colourOnly, false);
            EXPECT_TRUE(step.pass != Pass::Upscale || (scaled && !in.bilinearUpscale));
            EXPECT_TRUE(step.pass != Pass::ToDisplay || !scaled || in.bilinearUpscale);
            drawn |= 1u << static_cast<int>(step.into);
            display = display || step.into == Target::Display;
            if (step.into != Target::None && step.into != Target::Display) {
                EXPECT_TRUE(plan.makes(step.into)) << shortName(step.pass);
            }
        }
        EXPECT_TRUE(display);
        const bool resolves = plan.makes(Target::Multisampled);
        const bool filters = (plan.end() - 1)->pass == Pass::PostFilter;
        EXPECT_EQ(resolves, plan.antialias == antialias::Mode::Msaa);
        EXPECT_EQ(filters, plan.antialias == antialias::Mode::Post);
        for (int i = 0; i < frame::kTargets; ++i) {
            if (plan.makes(static_cast<Target>(i))) {
                EXPECT_NE(drawn & (1u << i), 0u) << i;
            }
        }
    }
}
