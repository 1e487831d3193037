#pragma once
// The decisions of the particles drawn at half size (OffscreenParticles),
// free of GL: the target's size, which scene depth a half-size pixel keeps,
// where the composite filters and where it picks one pixel, and the blend
// factors that make a half-size layer composite to what drawing straight
// onto the scene gives. HalfDepthShader.frag and ParticleCompositeShader.frag
// run the same rules per pixel.
#include <GL/glew.h>

#include <array>

#include "particles/ParticleMath.h"

namespace offscreen {

struct Size {
    int width = 0, height = 0;
};

// Half of each side, rounded up so that every scene pixel has one; a scene
// of no size has none.
Size halfSize(int width, int height);

// A half-size pixel keeps the farthest of the 2 x 2 scene depths it covers:
// a particle behind a thin edge still shows there, and the composite keeps
// it off the edge by depth.
float keptDepth(const std::array<float, 4>& depths);

// Raw depth-buffer values further apart than this are an edge. With the
// near plane at 0.1 it stands for 5 cm at 5 m and 5 m at 50 m: the fire's
// distances, where a limb in front of a flame is centimetres to metres away.
constexpr float kEdgeDepth = 0.0002f;

// For a scene pixel at `depth` among the four nearest half-size pixels'
// depths: -1 where they agree (filter bilinearly), else the index of the one
// nearest in depth (taken alone).
int upsampleChoice(float depth, const std::array<float, 4>& nearby);

// The particles' layer (particles::blendFor) over the scene: its colour
// added, 1 - its alpha of the scene kept.
constexpr particles::Blend kComposite = {GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA};

}  // namespace offscreen
