#pragma once
#include <array>
#include <glm/glm.hpp>

#include "game/Settings.h"

class ParticleSystem;

// The bundle of four particle systems that burns along one fire segment:
// sparks, smoke, large flames and small flames, in this order.
namespace fire {

// What a kind keeps as built; its emission interval, life and size are the
// tunable ParticleSettings and have their defaults there.
struct EmitterSettings {
    const char* textureName;
    bool shortForm;  // single-frame additive sprites, one per emission
    glm::vec3 velocityMin;
    glm::vec3 velocityMax;
    glm::vec3 gravity;
    int particleCount;
    int animRows, animCols, animFrames;
    float animSpeed;
    int alphaType;  // 0 additive, 1 alpha blending
    float blendDelay;
    glm::vec3 color;
    float alpha;
    // World units over which a sprite fades out before the scene behind it:
    // short for the small, sharp sparks and flames, long for smoke's soft puffs.
    float softness;
};

extern const std::array<EmitterSettings, 4> kBundle;

// The generator of a system of kind `kind` (its index in the bundle) as tuned:
// the emission interval, life and size as given; the bundle's start velocity
// with its sideways range scaled by `spread` about its middle, and the whole
// by `speed`; the wind added to gravity. The defaults give the bundle's own.
void tune(ParticleSystem& system, int kind, const ParticleSettings& tuned);

}  // namespace fire
