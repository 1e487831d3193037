#pragma once
// The glow's decisions, kept free of GL: the sizes of its blur chain and the
// constants GlowPass hands its programs as uniforms. The tone curve that
// brings the floating-point scene back into the window's 0..1 range lives in
// BlendShader.frag alone.
#include "game/Settings.h"

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

// How much of each level the blend adds back onto the scene: the first is
// the tuned strength's default, the others keep their ratios to it.
constexpr float kLevelWeights[kLevels] = {GlowSettings{}.strength, 0.8f, 1.5f};
// The curve is the identity up to the knee and rolls off towards white above
// it, knee + (1 - knee)(1 - e^(-(x - knee) / (1 - knee))), meeting the
// identity with the same slope and never reaching 1: the dark night keeps its
// grey levels and only the fire is compressed.
constexpr float kKnee = 0.75f;
// The share of the brightest channel's excess over 1 that spills into all
// three: overexposed flame cores burn white instead of flat orange.
constexpr float kWhiteSpill = 0.25f;

}  // namespace glow
