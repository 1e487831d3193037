#pragma once
#include <glm/glm.hpp>

// The light values the lit pass computes each call, kept free of GL.
namespace lighting {

// Diffuse intensity of the fire: 4 + 0.5 sin 2πt + 0.25 sin 5πt (period 2 s).
float flicker(double totalTime);

// The sun's shadow box: orthographic, 256 x 192 across and 148 along the sun.
glm::mat4 sunProjection();
// Looks along the sun direction at the camera, so the box follows the camera.
glm::mat4 sunView(const glm::vec3& cameraPosition, const glm::vec3& sunLightDir);

}  // namespace lighting
