#pragma once
// The particles drawn at half the scene's width and height and laid over it:
// most of a software renderer's fire is filling sprites, and a quarter of the
// pixels fills in a quarter of the time. The half-size target (the frame
// plan's) holds the farthest of each 2 x 2 scene depths, the particles are
// tested against it and gather premultiplied colour and coverage
// (particles::blendFor), and the composite filters them back up, taking the
// nearest in depth at edges (render/OffscreenRules.h).
#include <GL/glew.h>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/UniformLocations.h"
#include "render/OffscreenRules.h"
#include "render/ScreenTriangle.h"

class OffscreenParticles {
public:
    bool enabled = true;  // off: --full-res-particles, the panel

    OffscreenParticles();

    // Into the bound half-size target, with a state that passes every pixel
    // and writes depth alone: the kept depths of the scene's depth texture
    // `sceneDepth` of width x height.
    void writeHalfDepth(const graph::ProgramTable& shaders, GLuint sceneDepth, int width,
                        int height);
    // Over the bound scene colour, blending by offscreen::kComposite: the
    // particles' layer `particles` with its depths `halfDepth`, against the
    // scene's `sceneDepth`.
    void composite(const graph::ProgramTable& shaders, GLuint particles, GLuint halfDepth,
                   GLuint sceneDepth);
    // Its GL objects deleted: the next use makes them again.
    void release();

private:
    ScreenTriangle triangle_;
    graph::UniformLocations halfDepth_, composite_;
};
