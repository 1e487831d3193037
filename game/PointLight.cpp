#include "game/PointLight.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

struct CubeFace {
    glm::vec3 direction;
    glm::vec3 up;
};

// GL's cube-map face order, which is also the layer order of the attachment.
const CubeFace kFaces[6] = {
    {{1, 0, 0}, {0, -1, 0}},  {{-1, 0, 0}, {0, -1, 0}}, {{0, 1, 0}, {0, 0, 1}},
    {{0, -1, 0}, {0, 0, -1}}, {{0, 0, 1}, {0, -1, 0}},  {{0, 0, -1}, {0, -1, 0}},
};

}  // namespace

glm::mat4 PointLight::faceMatrix(int face) const {
    const glm::mat4 projection = glm::perspective(glm::radians(90.0f), 1.0f, kShadowNear, kShadowFar);
    const CubeFace& f = kFaces[face];
    return projection * glm::lookAt(Position, Position + f.direction, f.up);
}

void PointLight::computeFaceMatrices() {
    nearPlane = kShadowNear;
    farPlane = kShadowFar;
    faceMatrices.clear();
    for (int face = 0; face < 6; ++face) faceMatrices.push_back(faceMatrix(face));
}

std::vector<glm::mat4> PointLight::getFaceMatrices() const { return faceMatrices; }
