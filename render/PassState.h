#pragma once
// The GL state one pass draws with, set whole at the pass's start
// (RenderBackend::setState), so that no pass relies on what the one before
// it left. F3 and F9 feed it: polygons as lines on the scene's geometry, and
// the blending the scene's passes take.
#include <GL/glew.h>

#include "particles/ParticleMath.h"

struct PassState {
    bool blend = false;
    // Start-up's: the colour over what is there by its alpha.
    particles::Blend blendFunction = {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA,
                                      GL_ONE_MINUS_SRC_ALPHA};
    bool depthTest = true;
    bool depthWrite = true;
    GLenum depthFunction = GL_LESS;
    bool cullBackFaces = true;
    bool colourWrite = true;
    bool lines = false;  // polygons drawn as lines (F3; only where the driver draws lines)
    int viewportWidth = 0, viewportHeight = 0;

    // A pass over the whole of a target of width x height: one triangle,
    // no depth, nothing culled, nothing blended.
    static PassState screen(int width, int height) {
        PassState state;
        state.depthTest = state.depthWrite = state.cullBackFaces = false;
        state.viewportWidth = width;
        state.viewportHeight = height;
        return state;
    }
};
