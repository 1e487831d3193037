#include "render/Lighting.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace lighting {

float flicker(double totalTime, float strength, float intensity) {
    const double pi = 3.141592653589793;
    const double s = static_cast<double>(strength);
    return static_cast<float>(static_cast<double>(intensity) *
                              (4.0 + s * 0.5 * std::sin(2.0 * pi * totalTime) +
                               s * 0.25 * std::sin(5.0 * pi * totalTime)));
}

glm::mat4 sunProjection() { return glm::ortho(-128.0f, 128.0f, -96.0f, 96.0f, -20.0f, 128.0f); }

glm::mat4 sunView(const glm::vec3& cameraPosition, const glm::vec3& sunLightDir) {
    return glm::lookAt(cameraPosition - sunLightDir, cameraPosition, glm::vec3(0.0f, 1.0f, 0.0f));
}

glm::mat4 sunDepthMvp(const glm::vec3& cameraPosition, const glm::vec3& sunLightDir,
                      const glm::mat4& modelMatrix) {
    return sunProjection() * sunView(cameraPosition, sunLightDir) * modelMatrix;
}

glm::mat4 biasedSunDepthMvp(const glm::mat4& shadowBiasMatrix, const glm::vec3& cameraPosition,
                            const glm::vec3& sunLightDir, const glm::mat4& modelMatrix) {
    return shadowBiasMatrix * sunDepthMvp(cameraPosition, sunLightDir, modelMatrix);
}

std::string pointLightUniform(unsigned index, const char* member) {
    return "pointLights[" + std::to_string(index) + "]." + member;
}

std::string cubeFaceUniform(unsigned face) { return "cm_mat[" + std::to_string(face) + "]"; }

}  // namespace lighting
