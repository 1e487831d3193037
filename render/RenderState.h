#pragma once
// What the passes keep between frames beyond the engine record: the renderer
// back end, the glow's targets, the static casters' shadow cube, the GPU pass
// timer, the mesh programs' uniform tables, and the render scale with the
// scene's target at it. The game owns it; the engine points at it, so that
// the passes the objects call find it.
#include "render/GlowPass.h"
#include "render/GpuPassTimer.h"
#include "render/MeshUniforms.h"
#include "render/OffscreenParticles.h"
#include "render/RenderBackend.h"
#include "render/RenderScale.h"
#include "render/StaticShadowCube.h"

// Where the scene's passes draw below a render scale of 1, or whenever the
// particles drawn at half size need the scene's depth as a texture, when the
// glow does not take them; scaled (or copied) into the display framebuffer at
// the frame's end (GraphicsEngine/RenderTargets.cpp). Made the first time
// either asks for it.
struct ScaledTarget {
    GLuint colour = 0, depth = 0, framebuffer = 0;
    int width = 0, height = 0;
    bool complete = false;
};

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
    ScaledTarget scaledTarget;
    OffscreenParticles offscreenParticles;  // the particles at half size, unless --full-res-particles

    // Asks the back end what its context, current now, can do; once, at
    // start-up. The pass timer gets the back end where it can time passes,
    // and the static cube is copied whole where the context can.
    void askCapabilities() {
        caps = backend->capabilities();
        timer.backend = caps.timesPasses ? backend.get() : nullptr;
        staticShadowCube.copiesImages = caps.copiesCubeImages;
    }

    // Every GL object of the passes deleted and forgotten (a lost context):
    // the glow's targets and the static cube start as before their first
    // frame, and the tables fill again from the new programs. The switches stay.
    void releaseGraphics() {
        backend->releaseParticles();
        glow.release();
        staticShadowCube.release();
        timer.release();
        meshUniforms = MeshUniforms();
        offscreenParticles.release();  // the scene's own target goes with the engine's
    }
};
