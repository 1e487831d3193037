#pragma once
#include <glm/glm.hpp>
#include <string>

// The light values the lit pass computes each call, kept free of GL.
namespace lighting {

// Diffuse intensity of the fire: 4 + 0.5 sin 2πt + 0.25 sin 5πt (period 2 s),
// the waves scaled by `strength` and the whole by `intensity`.
float flicker(double totalTime, float strength = 1.0f, float intensity = 1.0f);

// The sun's shadow box: orthographic, 256 x 192 across and 148 along the sun.
glm::mat4 sunProjection();
// Looks along the sun direction at the camera, so the box follows the camera.
glm::mat4 sunView(const glm::vec3& cameraPosition, const glm::vec3& sunLightDir);
// Clip coordinates of the sun's shadow box for one model ("depthMVP").
glm::mat4 sunDepthMvp(const glm::vec3& cameraPosition, const glm::vec3& sunLightDir,
                      const glm::mat4& modelMatrix);
// The same, mapped to shadow-map coordinates 0..1 by the bias matrix ("depthMvpMatrix").
glm::mat4 biasedSunDepthMvp(const glm::mat4& shadowBiasMatrix, const glm::vec3& cameraPosition,
                            const glm::vec3& sunLightDir, const glm::mat4& modelMatrix);

// "pointLights[i].member", the uniform of one point-light field.
std::string pointLightUniform(unsigned index, const char* member);
// "cm_mat[i]", the view-projection of one shadow-cube face.
std::string cubeFaceUniform(unsigned face);

}  // namespace lighting
