#pragma once
#include <array>
#include <glm/glm.hpp>

// What surrounds the scene objects: ground, sky box and the (undrawn) sun sprite.
namespace environment {

// The sun sprite's unit square centred on the origin, x, y, z per corner.
extern const std::array<float, 12> kSunQuad;

// The sky box sits 25 above the camera, 200 units large, turned half round
// about y; it moves with the camera but never turns with it.
glm::mat4 skyModelMatrix(const glm::vec3& cameraPosition);

}  // namespace environment
