// The turning wooden ring around the fire and the effigy itself, both built
// from closed square beams (outward faces, so the fire light inside one sees
// out through its culled back faces) with texture running along each beam.
#include <cmath>

#include "tools/Assets.h"

namespace {

// Weathered planks: one face of up to 30 cm fits in one of the texture's
// three planks, so each beam face reads as one solid timber.
ObjMesh::BeamMapping plank(int beam) {
    ObjMesh::BeamMapping mapping;
    mapping.metresPerRepeat = glm::vec2(1.0f, 2.0f);
    mapping.uStart = (beam % 3) / 3.0f + 0.015f;
    mapping.uStride = 1.0f / 3.0f;
    return mapping;
}

// Eight posts 5 m high on a 5 m radius, a ring of beams on top, a low rail,
// a diagonal brace in every bay and knee braces under the ring. Everything
// stays outside 4.4 m from the axis, clear of the effigy's legs and logs
// (within 3 m) and below its arms (above 8 m).
ObjMesh woodenRing() {
    ObjMesh mesh;
    constexpr int kPosts = 8;
    constexpr float kRadius = 5.0f;
    constexpr float kHeight = 5.0f;
    int beam = 0;
    auto post = [&](int i, float y) {
        const float angle = glm::radians(22.5f + 45.0f * i);
        return glm::vec3(kRadius * std::cos(angle), y, kRadius * std::sin(angle));
    };
    for (int i = 0; i < kPosts; ++i) {
        const int next = (i + 1) % kPosts;
        mesh.addBeam(post(i, 0.0f), post(i, kHeight), 0.3f, 0.0f, plank(beam++));
        mesh.addBeam(post(i, kHeight - 0.2f), post(next, kHeight - 0.2f), 0.26f, 0.2f,
                     plank(beam++));
        mesh.addBeam(post(i, 0.9f), post(next, 0.9f), 0.18f, 0.12f, plank(beam++));
        const bool rising = i % 2 == 0;
        mesh.addBeam(post(i, rising ? 1.0f : 4.4f), post(next, rising ? 4.4f : 1.0f), 0.16f, 0.0f,
                     plank(beam++));
        // Knee braces from each post up to the ring beams on either side.
        for (int side : {next, (i + kPosts - 1) % kPosts}) {
            const glm::vec3 foot = post(i, kHeight - 1.2f);
            const glm::vec3 head =
                glm::mix(post(i, kHeight - 0.3f), post(side, kHeight - 0.3f), 0.22f);
            mesh.addBeam(foot, head, 0.14f, 0.0f, plank(beam++));
        }
    }
    return mesh;
}

// The effigy: beams along the fire's segments (relative to the effigy's
// origin on the platform top). The spine runs from the hip bar to the top of
// the head and is the only beam near the fire light at (0, 8.19, 0), which it
// encloses; the head is a wider block well above it.
ObjMesh effigy() {
    ObjMesh mesh;
    ObjMesh::BeamMapping charred;
    charred.metresPerRepeat = glm::vec2(1.0f, 2.0f);
    charred.uStride = 0.29f;
    const float thick = 0.4f;
    const float overhang = 0.2f;
    auto beam = [&](glm::vec3 a, glm::vec3 b, float t, float o, float roll = 0.0f) {
        charred.uStart += 0.13f;
        mesh.addBeam(a, b, t, o, charred, roll);
    };
    // Legs and body.
    beam({2.25f, 0.4f, 0.0f}, {0.915f, 4.73f, 0.0f}, thick, overhang);
    beam({-2.25f, 0.4f, 0.0f}, {-0.915f, 4.73f, 0.0f}, thick, overhang);
    beam({0.915f, 4.73f, 0.0f}, {1.0f, 8.5f, 0.0f}, thick, overhang);
    beam({-0.915f, 4.73f, 0.0f}, {-1.0f, 8.5f, 0.0f}, thick, overhang);
    // Raised arms.
    beam({1.0f, 8.5f, 0.0f}, {4.0f, 10.0f, 0.0f}, thick, overhang);
    beam({-1.0f, 8.5f, 0.0f}, {-4.0f, 10.0f, 0.0f}, thick, overhang);
    // Hip bar joining the legs, spine up through the head, and the head.
    beam({-1.15f, 4.73f, 0.0f}, {1.15f, 4.73f, 0.0f}, 0.36f, 0.0f);
    beam({0.0f, 4.73f, 0.0f}, {0.0f, 10.8f, 0.0f}, thick, overhang);
    beam({0.0f, 9.95f, 0.0f}, {0.0f, 10.95f, 0.0f}, 0.8f, 0.0f, 45.0f);
    // Three crossed logs on the platform top, sunk a little so they sit
    // firmly; each at its own height and roll so no faces coincide where
    // they cross.
    beam({1.95f, 0.15f, 1.75f}, {-1.95f, 0.15f, -1.75f}, thick, overhang);
    beam({-1.95f, 0.165f, 1.75f}, {1.95f, 0.165f, -1.75f}, thick, overhang, 10.0f);
    beam({0.0f, 0.18f, 2.63f}, {0.0f, 0.18f, -2.63f}, thick, overhang, -10.0f);
    return mesh;
}

}  // namespace

void writeWoodenStructures(AssetWriter& out) {
    out.obj("emberwight_rotate.obj", woodenRing());
    out.obj("emberwight2.obj", effigy());
}
