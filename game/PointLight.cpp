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

void PointLight::computeFaceMatrices() {
    nearPlane = kShadowNear;
    farPlane = kShadowFar;
    faceMatrices.clear();
    const glm::mat4 projection = glm::perspective(glm::radians(90.0f), 1.0f, nearPlane, farPlane);
    for (const CubeFace& face : kFaces) {
        faceMatrices.push_back(projection *
                               glm::lookAt(Position, Position + face.direction, face.up));
    }
}

std::vector<glm::mat4> PointLight::getFaceMatrices() const { return faceMatrices; }
