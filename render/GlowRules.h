#pragma once
// The glow's decisions, kept free of GL: the sizes of its blur chain and the
// tone curve that brings the floating-point scene back into the window's
// 0..1 range. The blend program carries the same curve; GlowPass hands it
// these constants as uniforms.
#include <glm/glm.hpp>

namespace glow {

struct Size {
    int width = 0, height = 0;
};

// The bright pass writes a quarter of the framebuffer's size; three blur
// levels follow at an eighth, a sixteenth and a thirty-second: the first
// keeps the halo close around the flames, the last spreads it over a few
// percent of the screen. Never below one texel; a framebuffer of no size (a
// minimised window) has none.
constexpr int kLevels = 3;
Size brightSize(unsigned width, unsigned height);
Size levelSize(unsigned width, unsigned height, int level);

// Only light past what the window could show glows: surfaces that stay below
// the threshold in every channel add nothing to the halo.
constexpr float kThreshold = 0.85f;
// How much of each level the blend adds back onto the scene.
constexpr float kLevelWeights[kLevels] = {0.5f, 0.8f, 1.5f};
constexpr float kExposure = 1.0f;
// The curve is the identity up to the knee and rolls off towards white above
// it, so the dark night keeps its grey levels and only the fire is compressed.
constexpr float kKnee = 0.75f;
// The share of the brightest channel's excess over 1 that spills into all
// three: overexposed flame cores burn white instead of flat orange.
constexpr float kWhiteSpill = 0.25f;

// One channel through the curve: x below the knee, then
// knee + (1 - knee)(1 - e^(-(x - knee) / (1 - knee))), which meets the
// identity with the same slope and never reaches 1.
float toneCurve(float x);

// A scene colour (already with its glow added) as the window shows it.
glm::vec3 display(glm::vec3 hdr);

}  // namespace glow
