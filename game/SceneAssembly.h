#pragma once
#include <array>
#include <glm/glm.hpp>
#include <string>

class Scene;

// The one fixed scene: where the rocks, the platform, the turning structure,
// the effigy, the debug cuboid and the fire segments stand.
namespace game {

// One row of the placement table; `normalFile` empty means a plain object.
struct Placement {
    const char* modelFile;
    glm::vec3 rotationAngles;
    glm::vec3 boxSize;
    float shininess;
    float specLightInt;
    int kind;
    const char* colorFile;
    const char* normalFile;
    const char* depthFile;
};

extern const Placement kSmallRock;
extern const Placement kLargeRock;
extern const Placement kPlatform;
extern const Placement kTurningStructure;
extern const Placement kEffigy;

// Ground positions (x, z) of the two groups of rocks, in placement order.
extern const std::array<glm::vec2, 6> kSmallRockSpots;
extern const std::array<glm::vec2, 3> kLargeRockSpots;

// The platform stands 2.5 above the ground sampled at its centre (-2.5, 0).
float platformBaseHeight(float groundAtPlatform);
// The fire light hangs 8.19 above the platform centre.
glm::vec3 fireLightPosition(float platformBase);
// Rocks sink half a unit into the ground.
glm::vec3 rockPosition(float x, float z, float groundHeight);
// Where the cuboid waits.
inline const glm::vec3 kCuboidPosition{-5.0f, 7.5f, 0.0f};

struct FireSegment {
    glm::vec3 first;
    glm::vec3 second;
};
// The eleven fire segments along the effigy and across the platform top, in call order.
std::array<FireSegment, 11> fireSegments(float platformBase);

// The second half of the scene's construction: objects, cuboid and emitters.
void assembleScene(Scene& scene, float platformBase);

}  // namespace game
