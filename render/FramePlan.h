#pragma once
// The frame on one page, free of GL: from what the frame is asked to draw
// (the surface's size, the render scale, the glow, the particles at half
// size, the box, F3), the targets it draws into and its passes in order,
// each with the target it draws into and those it reads. Game::renderFrame
// makes the targets (render/FrameTargets.h) and runs the passes
// (render/FramePasses.h) as planned.
#include <array>

#include "GraphicsEngine/RenderTarget.h"
#include "render/Antialias.h"
#include "render/RenderScale.h"

namespace frame {

enum class Target {
    None,           // no framebuffer of the frame's: the shadow cube's own, transform feedback
    Display,        // the surface's framebuffer, where the overlay and the panel follow
    Scene,          // the scene's passes, with their depth as a texture
    HalfParticles,  // the particles at half the scene's size, with the kept depths
    Glowed,         // the glow's picture at a render scale below 1, before the upscale
    Multisampled,   // msaa: the scene's geometry, resolved into the scene's target
    Final,          // post: the finished picture where it is not the scene's own, filtered
    kCount
};
constexpr int kTargets = static_cast<int>(Target::kCount);

// In the order they run; a plan leaves out what the frame does not need.
enum class Pass {
    ShadowCube,      // the fire light's shadow cube: the static one copied, movers on top
    Clear,           // the scene's target cleared
    DepthPrePass,    // the drawn objects' depths, so that lit shading runs once per pixel
    Sky,
    Ground,
    Objects,
    Box,             // C: the shadow cube as a spinning box
    Resolve,         // msaa: the samples blitted into the scene's target, depth where read
    ParticleUpdate,  // every system advanced by the scene clock
    HalfDepth,       // the farthest of each 2 x 2 scene depths
    Particles,       // every system drawn
    Composite,       // the half-size particles laid over the scene
    ParticleCounts,  // the counts read back, once every system is drawn
    Glow,            // bright pass, blur and blend
    ToDisplay,       // copied at a render scale of 1, a bilinear blit below it on request
    Upscale,         // below a render scale of 1: edge-adaptive, then sharpened
    PostFilter,      // post: the edge-directed filter, from the picture into the display
    kCount
};
constexpr int kPasses = static_cast<int>(Pass::kCount);

struct Inputs {
    unsigned width = 0, height = 0;  // the surface's
    float renderScale = 1.0f;
    bool glow = false;               // G, where the driver draws into floating-point targets
    bool particles = false;          // systems to draw
    bool halfSizeParticles = false;  // unless --full-res-particles
    bool softParticles = false;      // unless --hard-particles: faded before the scene's depth
    bool box = false;                // C
    bool wireframe = false;          // F3, where the driver draws lines
    antialias::Mode antialias = antialias::Mode::Off;
    int samples = 1;                 // msaa's, within what the driver offers
    bool bilinearUpscale = false;    // below the scale, the plain blit (for comparison)
    // Targets GL refused at this frame's size: the frame is drawn without.
    bool sceneRefused = false, halfRefused = false;
    bool multisampledRefused = false, finalRefused = false;
};

struct Step {
    Pass pass = Pass::ShadowCube;
    Target into = Target::None;
    unsigned reads = 0;  // a bit per Target (readsFrom)
    bool lines = false;  // polygons drawn as lines: F3, on the scene's geometry only
    bool readsFrom(Target target) const { return (reads & (1u << static_cast<int>(target))) != 0; }
};

struct Plan {
    renderscale::Size sceneSize;  // where the scene's passes draw
    Target scene = Target::Display;
    bool glow = false;  // the glow's pass runs: its blur chain follows the scene's size
    antialias::Mode antialias = antialias::Mode::Off;  // the mode that runs
    bool resolveDepth = false;  // msaa: the depth resolved with the colour
    // By Target; a target of no size is not made.
    std::array<graph::TargetDescription, kTargets> targets{};
    std::array<Step, kPasses> steps{};
    int stepCount = 0;

    bool makes(Target target) const { return targets[static_cast<int>(target)].width > 0; }
    const graph::TargetDescription& target(Target t) const { return targets[static_cast<int>(t)]; }
    const Step* begin() const { return steps.data(); }
    const Step* end() const { return steps.data() + stepCount; }
};

Plan plan(const Inputs& inputs);

const char* nameOf(Target target);
const char* nameOf(Pass pass);

}  // namespace frame
