#include "render/FramePlan.h"

#include "render/OffscreenRules.h"

namespace frame {

namespace {

unsigned bit(Target target) { return 1u << static_cast<int>(target); }

void add(Plan& plan, Pass pass, Target into, unsigned reads = 0, bool lines = false) {
    plan.steps[static_cast<size_t>(plan.stepCount++)] = Step{pass, into, reads, lines};
}

void describe(Plan& plan, Target target, int width, int height, graph::ColourFormat colour,
              graph::DepthImage depth) {
    graph::TargetDescription& d = plan.targets[static_cast<size_t>(target)];
    d.width = width;
    d.height = height;
    d.colour = colour;
    d.depth = depth;
}

}  // namespace

Plan plan(const Inputs& in) {
    Plan p;
    const int width = static_cast<int>(in.width), height = static_cast<int>(in.height);
    p.sceneSize = renderscale::scaledSize(in.width, in.height, in.renderScale);
    const bool drawable = width > 0 && height > 0;
    // The glow and the particles at half size or soft read the scene's depth
    // or colour, which only a target of the frame's own offers; so does a
    // scene at another size, a resolved one and the post filter. Without it the
    // scene is drawn at the whole size, as it comes.
    const bool scaled = p.sceneSize.width != width || p.sceneSize.height != height;
    const bool glow = drawable && in.glow && !in.sceneRefused;
    const bool half = drawable && in.particles && in.halfSizeParticles && !in.sceneRefused &&
                      !in.halfRefused;
    using antialias::Mode;
    const bool msaa = drawable && in.antialias == Mode::Msaa && in.samples > 1 &&
                      !in.sceneRefused && !in.multisampledRefused;
    const bool post = drawable && in.antialias == Mode::Post && !in.sceneRefused &&
                      !in.finalRefused;
    const bool soft = drawable && in.particles && in.softParticles && !in.sceneRefused;
    const bool ownScene =
        drawable && !in.sceneRefused && (glow || half || soft || scaled || msaa || post);
    if (!ownScene) p.sceneSize = {width, height};
    const bool glowScaled = glow && scaled && ownScene;
    // The filter reads the scene's own picture where that is the finished
    // one (whole, unglowed); else the finished picture gets a target of its own.
    const bool postFromScene = post && !glow && !scaled;
    const bool final = post && !postFromScene;
    p.antialias = msaa ? Mode::Msaa : post ? Mode::Post : Mode::Off;

    // Floating point while glowing, so that additive flames add up past 1.
    using graph::ColourFormat;
    using graph::DepthImage;
    const ColourFormat colour = glow ? ColourFormat::Rgba16f : ColourFormat::Rgba8;
    const int w = p.sceneSize.width, h = p.sceneSize.height;
    if (ownScene) {
        p.scene = Target::Scene;
        describe(p, Target::Scene, w, h, colour, DepthImage::Texture);
    }
    if (half) {
        const offscreen::Size halfSize = offscreen::halfSize(w, h);
        describe(p, Target::HalfParticles, halfSize.width, halfSize.height, colour,
                 DepthImage::Texture);
    }
    if (glowScaled) describe(p, Target::Glowed, w, h, ColourFormat::Rgba8, DepthImage::None);
    if (msaa) {
        // Its depth is resolved where the particles test against it or read it.
        p.resolveDepth = in.particles;
        describe(p, Target::Multisampled, w, h, colour,
                 p.resolveDepth ? DepthImage::Texture : DepthImage::Renderbuffer);
        p.targets[static_cast<size_t>(Target::Multisampled)].samples = in.samples;
    }
    if (final) describe(p, Target::Final, width, height, ColourFormat::Rgba8, DepthImage::None);

    p.glow = glow;
    const Target scene = p.scene;
    const Target geometry = msaa ? Target::Multisampled : scene;
    const bool lines = in.wireframe;
    add(p, Pass::ShadowCube, Target::None, 0, lines);
    add(p, Pass::Clear, geometry);
    add(p, Pass::DepthPrePass, geometry, 0, lines);
    add(p, Pass::Sky, geometry, 0, lines);
    add(p, Pass::Ground, geometry, 0, lines);
    add(p, Pass::Objects, geometry, 0, lines);
    if (in.box) add(p, Pass::Box, geometry, 0, lines);
    if (msaa) add(p, Pass::Resolve, scene, bit(Target::Multisampled));
    if (in.particles) {
        add(p, Pass::ParticleUpdate, Target::None);
        if (half) add(p, Pass::HalfDepth, Target::HalfParticles, bit(Target::Scene));
        add(p, Pass::Particles, half ? Target::HalfParticles : scene,
            soft ? bit(Target::Scene) : 0u, lines);
        if (half) {
            add(p, Pass::Composite, scene, bit(Target::HalfParticles) | bit(Target::Scene));
        }
    }
    add(p, Pass::ParticleCounts, Target::None);  // none without systems
    const Target finished = final ? Target::Final : Target::Display;
    if (glow) add(p, Pass::Glow, glowScaled ? Target::Glowed : finished, bit(scene));
    if (ownScene && (!glow || glowScaled) && !postFromScene) {
        const Pass up = scaled && !in.bilinearUpscale ? Pass::Upscale : Pass::ToDisplay;
        add(p, up, finished, bit(glowScaled ? Target::Glowed : scene));
    }
    if (post) add(p, Pass::PostFilter, Target::Display, bit(final ? Target::Final : scene));
    return p;
}

const char* nameOf(Target target) {
    static const char* const names[kTargets] = {"none", "display", "scene", "half-size particles",
                                                "glowed", "multisampled", "final"};
    return names[static_cast<int>(target)];
}

const char* nameOf(Pass pass) {
    static const char* const names[kPasses] = {
        "shadow cube", "clear",     "depth pre-pass",  "sky",             "ground",
        "objects",     "box",       "resolve",         "particle update", "half-size depth",
        "particles",   "composite", "particle counts", "glow",            "to display",
        "upscale",     "post filter"};
    return names[static_cast<int>(pass)];
}

}  // namespace frame
