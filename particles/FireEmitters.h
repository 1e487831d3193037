#pragma once
#include <array>
#include <glm/glm.hpp>

// The bundle of four particle systems that burns along one fire segment:
// sparks, smoke, large flames and small flames, in this order.
namespace fire {

struct EmitterSettings {
    const char* textureName;
    bool shortForm;  // single-frame additive sprites, one per emission
    glm::vec3 velocityMin;
    glm::vec3 velocityMax;
    glm::vec3 gravity;
    float lifetimeMin, lifetimeMax;
    float sizeMin, sizeMax;
    float generationInterval;
    int particleCount;
    int animRows, animCols, animFrames;
    float animSpeed;
    int alphaType;  // 0 additive, 1 alpha blending
    float blendDelay;
    glm::vec3 color;
    float alpha;
};

extern const std::array<EmitterSettings, 4> kBundle;

}  // namespace fire
