#pragma once
#include <glm/glm.hpp>
#include <vector>

// A point light and the six view-projection matrices of its shadow cube.
struct PointLight {
    // The shadow cube's depth range: its face matrices and the lit pass's
    // comparison both use it.
    static constexpr float kShadowNear = 1.0f, kShadowFar = 100.0f;

    glm::vec3 Color{0.0f};
    float AmbientInt = 0.0f;
    float DiffuseInt = 0.0f;
    glm::vec3 Position{0.0f};
    float ConstAtt = 0.0f;
    float LinearAtt = 0.0f;
    float ExpAtt = 0.0f;
    float nearPlane = 0.0f;
    float farPlane = 0.0f;
    std::vector<glm::mat4> faceMatrices;

    // The view-projection matrix of cube face `face` (0 ... 5, GL's order)
    // over the shadow range, from where the light is now.
    glm::mat4 faceMatrix(int face) const;
    // nearPlane and farPlane the shadow range, and the six cube-face matrices in face order.
    void computeFaceMatrices();
    std::vector<glm::mat4> getFaceMatrices() const;
};
