#pragma once
#include <glm/glm.hpp>

// The oriented box of a scene object: centre, three full edge vectors and the
// two corners they imply.
class BoundingBox {
public:
    glm::vec3 center{0.0f};
    glm::vec3 edgeX{0.0f};
    glm::vec3 edgeY{0.0f};
    glm::vec3 edgeZ{0.0f};
    glm::vec3 minCorner{0.0f};
    glm::vec3 maxCorner{0.0f};

    BoundingBox() = default;
    BoundingBox(glm::vec3 low, glm::vec3 high);

    // Turn about the box's own edge direction through its centre (degrees).
    void rotateAboutX(float degrees);
    void rotateAboutY(float degrees);
    void rotateAboutZ(float degrees);
};
