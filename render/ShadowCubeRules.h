#pragma once
// When the fire light's static shadow cube can be reused, kept free of GL.
// Casters that never move are drawn once into a cube of their own; each frame
// starts from a copy of it and adds the moving casters. The cube's content is
// the minimum depth over whatever was drawn, so the order does not matter and
// the result equals drawing every caster afresh.
#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

#include "game/SceneObject.h"

namespace shadowcube {

// A static caster as it was drawn: the object and its model matrix.
struct Placed {
    const void* object = nullptr;
    glm::mat4 model{1.0f};
    bool operator==(const Placed& other) const {
        return object == other.object && model == other.model;
    }
};

// Everything the static cube's depths follow from. Equal contents draw equal
// cubes; anything that changes them has to be a field here.
struct Contents {
    bool castersOn = false;          // off: the frame's cube stays cleared
    unsigned long long programGeneration = 0;  // the omni program's link; 0 without one
    glm::vec3 light{0.0f};           // the fire light's position
    std::vector<Placed> statics;     // in frame order; the ground is always among them
    bool operator==(const Contents& other) const {
        return castersOn == other.castersOn && programGeneration == other.programGeneration &&
               light == other.light && statics == other.statics;
    }
};

// One frame's work on the cube.
enum class Step {
    Clear,   // casters off: the frame's cube is cleared, nothing drawn
    Refill,  // the static cube is drawn again, then copied
    Copy,    // the static cube is copied as it is
};

// A caster goes into the static cube unless it moves by itself or has been
// seen to move since it was drawn there.
bool isStatic(const game::ShadowCasting& casting, bool seenMoving);

// `filled` is null before the first fill. Anything in `now` that differs from
// what the static cube was filled with refills it: it is never reused stale.
Step nextStep(const Contents* filled, const Contents& now);

// The static casters of `filled` that are still static in `now` with another
// matrix: they have moved, and from now on are drawn with the moving ones.
std::vector<const void*> movedSinceFill(const Contents& filled, const Contents& now);

}  // namespace shadowcube
