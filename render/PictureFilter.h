#pragma once
// Full-screen filters over the picture, drawn into the bound framebuffer with
// the state the caller set: the edge-directed filter of the post
// anti-aliasing (EdgeFilterShader.frag) and the edge-keeping upscale below a
// render scale of 1 (UpscaleShader.frag).
#include <GL/glew.h>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/UniformLocations.h"
#include "render/ScreenTriangle.h"

class PictureFilter {
public:
    PictureFilter();

    // `picture` (its size the bound target's) with its edges smoothed.
    void smoothEdges(const graph::ProgramTable& shaders, GLuint picture);
    // `picture`, `from` pixels in size, scaled up to the bound target's `to`.
    void scaleUp(const graph::ProgramTable& shaders, GLuint picture, int fromWidth,
                 int fromHeight, int toWidth, int toHeight);
    // Its GL objects deleted: the next use makes them again.
    void release();

private:
    ScreenTriangle triangle_;
    graph::UniformLocations edges_, upscale_;
};
