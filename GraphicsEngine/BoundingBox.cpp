#include "GraphicsEngine/BoundingBox.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

void updateCorners(BoundingBox& box) {
    const glm::vec3 s = box.edgeX + box.edgeY + box.edgeZ;
    box.minCorner = box.center + glm::mat3(-0.5f) * s;
    box.maxCorner = box.center + glm::mat3(0.5f) * s;
}

// Turns all three edges about the direction of `axis` (a copy: the axis is one
// of the edges being replaced). A flat box has a zero edge, which gives no
// direction to turn about; normalising it would fill the box with NaNs, so such
// a turn leaves the box as it is.
void turnEdges(BoundingBox& box, glm::vec3 axis, float degrees) {
    if (glm::dot(axis, axis) == 0.0f) return;
    const glm::mat4 rotation = glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis);
    // R has no translation, so w = 1 turns each edge as a direction.
    box.edgeX = glm::vec3(rotation * glm::vec4(box.edgeX, 1.0f));
    box.edgeY = glm::vec3(rotation * glm::vec4(box.edgeY, 1.0f));
    box.edgeZ = glm::vec3(rotation * glm::vec4(box.edgeZ, 1.0f));
    updateCorners(box);
}

}  // namespace

BoundingBox::BoundingBox(glm::vec3 low, glm::vec3 high) {
    const glm::vec3 d = high - low;
    center = low + glm::mat3(0.5f) * d;
    edgeX = glm::vec3(d.x, 0.0f, 0.0f);
    edgeY = glm::vec3(0.0f, d.y, 0.0f);
    edgeZ = glm::vec3(0.0f, 0.0f, d.z);
    updateCorners(*this);
}

void BoundingBox::rotateAboutX(float degrees) { turnEdges(*this, edgeX, degrees); }

void BoundingBox::rotateAboutY(float degrees) { turnEdges(*this, edgeY, degrees); }

void BoundingBox::rotateAboutZ(float degrees) { turnEdges(*this, edgeZ, degrees); }
