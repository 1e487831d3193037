#pragma once
// What the passes keep between frames beyond the engine record: the renderer
// back end, the frame's targets, the glow's, the static casters' shadow cube,
// the GPU pass timer, the mesh programs' uniform tables and the render
// scale. The game owns it; the engine points at it, so that the passes the
// objects call find it.
#include <vector>

#include "render/FrameTargets.h"
#include "render/GlowPass.h"
#include "render/GpuPassTimer.h"
#include "render/MeshUniforms.h"
#include "render/OffscreenParticles.h"
#include "render/PictureFilter.h"
#include "render/RenderBackend.h"
#include "render/RenderScale.h"
#include "render/StaticShadowCube.h"

namespace game {
class SceneObject;
}

struct RenderState {
    // Desktop OpenGL unless start-up chooses OpenGL ES (--gles).
    std::unique_ptr<RenderBackend> backend = RenderBackend::create(false);
    Capabilities caps;  // what its context can do: askCapabilities
    GlowPass glow;                      // its targets exist from the first glowing frame on
    StaticShadowCube staticShadowCube;  // the casters that never move, kept between frames
    GpuPassTimer timer;                 // active while benchmarking and while the panel is open
    MeshUniforms meshUniforms;          // the mesh passes' uniform locations, per program
    bool shadowCasters = true;          // --no-shadow-casters: the shadow cube stays cleared
    bool glowEnabled = false;           // G
    bool showShadowCube = false;        // C: the fire light's shadow cube shown as a box
    GLuint shadowCubeSampler = 0;       // depth comparison on the cube, for the lit pass only
    RenderScale scale;                  // --render-scale, --target-fps and the panel
    OffscreenParticles offscreenParticles;  // the particles at half size, unless --full-res-particles
    bool softParticles = true;          // faded before the scene: off with --hard-particles, the panel
    bool bilinearUpscale = false;       // --bilinear-upscale: below the scale, the plain blit
    FrameTargets targets;               // made as the frame's plan names them
    PictureFilter pictureFilter;        // the post anti-aliasing's filter and the upscale
    // The renderer's anti-aliasing, chosen once its capabilities are known;
    // the settings' choice overrides it. `antialias`: the mode this frame ran.
    antialias::Mode defaultAntialias = antialias::Mode::Off;
    antialias::Mode antialias = antialias::Mode::Off;
    int msaaSamples = antialias::kDefaultSamples;  // --msaa-samples
    // Whether the scene's passes blend: on from start-up and F9's press, off
    // once a particle pass has run, as a frame's blending always was.
    bool sceneBlending = true;
    std::vector<game::SceneObject*> drawnObjects;  // this frame's, after culling

    // Asks the back end what its context, current now, can do; once, at
    // start-up. The pass timer gets the back end where it can time passes,
    // and the static cube is copied whole where the context can.
    void askCapabilities() {
        caps = backend->capabilities();
        defaultAntialias = antialias::defaultFor(caps.maxSamples, caps.softwareRenderer);
        timer.backend = caps.timesPasses ? backend.get() : nullptr;
        staticShadowCube.copiesImages = caps.copiesCubeImages;
    }
};
