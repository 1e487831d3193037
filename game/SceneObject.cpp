#include "game/SceneObject.h"

#include <glm/gtc/matrix_transform.hpp>

namespace game {

SceneObject::SceneObject(int kind, int objectId, const BoundingBox& box, const glm::vec3& position)
    : kind(kind), objectId(objectId), boundingBox(box), position(position) {}

SceneObject::SceneObject(const glm::vec3& position)
    : kind(9),
      objectId(100),
      boundingBox(glm::vec3(0.0f), glm::vec3(0.0f)),
      position(position) {}

SceneObject::~SceneObject() = default;

glm::mat4 turnedRotation(const glm::mat4& current, const glm::vec3& axis, float degrees) {
    if (glm::dot(axis, axis) == 0.0f) return current;
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis) * current;
}

void SceneObject::turnAboutY(float degrees) {
    rotationMatrix = turnedRotation(rotationMatrix, boundingBox.edgeY, degrees);
    boundingBox.rotateAboutY(degrees);
}

void SceneObject::turnAboutX(float degrees) {
    rotationMatrix = turnedRotation(rotationMatrix, boundingBox.edgeX, degrees);
    boundingBox.rotateAboutX(degrees);
}

void SceneObject::turnAboutZ(float degrees) {
    rotationMatrix = turnedRotation(rotationMatrix, boundingBox.edgeZ, degrees);
    boundingBox.rotateAboutZ(degrees);
}

void SceneObject::setPosition(const glm::vec3& newPosition) { position = newPosition; }

void SceneObject::setEngine(Engine* newEngine) { engine = newEngine; }

}  // namespace game
