// The brick platform: five square tiers stepping down from the top plane
// y = 0 (where the effigy and its logs stand) and one block reaching 4 m
// below it, so its foot stays buried wherever the ground lies. Bricks keep
// their size: the texture covers 2 m x 2 m everywhere.
#include "tools/Assets.h"

namespace {

constexpr float kMetresPerRepeat = 2.0f;
constexpr float kFoot = -4.0f;

struct Tier {
    float top;   // height of its tread
    float half;  // half of its width
};

// From the top down: 12 m across at the top, 16.8 m at the lowest step.
constexpr Tier kTiers[] = {
    {0.0f, 6.0f}, {-0.5f, 6.6f}, {-1.0f, 7.2f}, {-1.5f, 7.8f}, {-2.0f, 8.4f}};

void horizontalQuad(ObjMesh& mesh, float x0, float z0, float x1, float z1, float y,
                    const glm::vec3& normal) {
    const glm::vec3 corners[4] = {{x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}};
    glm::vec2 uvs[4];
    for (int i = 0; i < 4; ++i) uvs[i] = glm::vec2(corners[i].x, corners[i].z) / kMetresPerRepeat;
    mesh.addQuad(corners, uvs, normal);
}

// The four walls of a square of half-width `half` between two heights.
void walls(ObjMesh& mesh, float half, float bottom, float top) {
    const glm::vec3 outward[4] = {{1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 0, -1}};
    for (const glm::vec3& n : outward) {
        const glm::vec3 along(-n.z, 0.0f, n.x);  // horizontal, along the wall
        const glm::vec3 centre = n * half;
        const glm::vec3 corners[4] = {centre - along * half + glm::vec3(0, bottom, 0),
                                      centre + along * half + glm::vec3(0, bottom, 0),
                                      centre + along * half + glm::vec3(0, top, 0),
                                      centre - along * half + glm::vec3(0, top, 0)};
        glm::vec2 uvs[4];
        for (int i = 0; i < 4; ++i)
            uvs[i] = glm::vec2(glm::dot(corners[i], along), corners[i].y) / kMetresPerRepeat;
        mesh.addQuad(corners, uvs, n);
    }
}

}  // namespace

void writePlatform(AssetWriter& out) {
    ObjMesh mesh;
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    const int count = static_cast<int>(sizeof(kTiers) / sizeof(kTiers[0]));
    for (int k = 0; k < count; ++k) {
        const Tier& tier = kTiers[k];
        if (k == 0) {
            horizontalQuad(mesh, -tier.half, -tier.half, tier.half, tier.half, tier.top, up);
        } else {
            // The tread: a frame around the tier above.
            const float a = kTiers[k - 1].half;
            const float b = tier.half;
            horizontalQuad(mesh, -b, a, b, b, tier.top, up);
            horizontalQuad(mesh, -b, -b, b, -a, tier.top, up);
            horizontalQuad(mesh, -b, -a, -a, a, tier.top, up);
            horizontalQuad(mesh, a, -a, b, a, tier.top, up);
        }
        const float bottom = k + 1 < count ? kTiers[k + 1].top : kFoot;
        walls(mesh, tier.half, bottom, tier.top);
    }
    const float half = kTiers[count - 1].half;
    horizontalQuad(mesh, -half, -half, half, half, kFoot, -up);
    out.obj("emberwight_platform.obj", mesh);
}
