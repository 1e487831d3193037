#pragma once
// The particles drawn at half the scene's width and height and laid over it:
// most of a software renderer's fire is filling sprites, and a quarter of the
// pixels fills in a quarter of the time. The half-size target holds the
// farthest of each 2 x 2 scene depths, the particles are tested against it
// and gather premultiplied colour and coverage (particles::blendFor), and
// the composite filters them back up, taking the nearest in depth at edges
// (render/OffscreenRules.h).
#include <GL/glew.h>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/UniformLocations.h"
#include "render/OffscreenRules.h"
#include "render/ScreenTriangle.h"

class OffscreenParticles {
public:
    bool enabled = true;  // off: --full-res-particles, the panel

    OffscreenParticles();

    // For a scene of width x height whose depth is the texture `sceneDepth`:
    // sizes the half-size targets (again whenever that size or the colour's
    // kind changes; floating-point where the scene is, for the glow), writes
    // the kept depths, and leaves the half-size target bound, cleared to
    // nothing, with its viewport. False, with nothing bound, where GL does not
    // accept the targets.
    bool begin(const graph::ProgramTable& shaders, GLuint sceneDepth, int width, int height,
               bool floatColour);
    // The particles' layer over the scene's colour texture `sceneColour`,
    // through a framebuffer of that texture alone: the scene's depth is read
    // meanwhile, and a browser refuses a draw into a framebuffer whose
    // attachment a texture unit reads. Leaves that framebuffer bound with a
    // viewport of width x height, and blending off, as the particles do.
    void composite(const graph::ProgramTable& shaders, GLuint sceneColour, GLuint sceneDepth,
                   int width, int height);
    // Every GL object deleted: the next begin makes them again.
    void release();

private:
    GLuint colour_ = 0, depth_ = 0, framebuffer_ = 0;
    GLuint compositeFramebuffer_ = 0, compositeColour_ = 0;  // the scene's colour alone
    ScreenTriangle triangle_;
    offscreen::Size size_;
    bool floatColour_ = false;
    bool complete_ = false;
    graph::UniformLocations halfDepth_, composite_;

    void allocate(offscreen::Size size, bool floatColour);
};
