// Two boulders: a cube-sphere pushed out by noise and chipped by a few planes,
// with a flat base at y = 0. Texture coordinates project each cube face's
// part of the surface onto its plane, at 2.5 m per repeat of rock1.jpg.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "tools/Assets.h"
#include "tools/Noise.h"

namespace {

constexpr int kGrid = 12;  // quads along each cube edge: 6 * 12 * 12 * 2 = 1728 triangles
constexpr float kMetresPerRepeat = 2.5f;

struct RockShape {
    glm::vec3 radii;  // of the ellipsoid before the base is cut
    float baseCut;    // base plane, as a share of radii.y below the centre
    float lean;       // sideways shift of the upper half per metre of height
    uint32_t seed;
};

// Distance from the centre to the surface along the unit direction d, in the
// unit-sphere space that `radii` later stretches.
float surfaceRadius(const glm::vec3& d, uint32_t seed) {
    float r = 1.0f + 0.14f * noise::fbm(d * 1.2f, 3, 0.5f, seed) +
              0.045f * noise::fbm(d * 4.0f, 3, 0.5f, seed + 7);
    // Chipped faces: flat planes cut into the bulge.
    for (uint32_t k = 0; k < 12; ++k) {
        glm::vec3 n(noise::hash01(seed, k, 1) * 2.0f - 1.0f,
                    noise::hash01(seed, k, 2) * 1.6f - 0.4f,
                    noise::hash01(seed, k, 3) * 2.0f - 1.0f);
        n = glm::normalize(n);
        const float distance = 0.7f + 0.16f * noise::hash01(seed, k, 4);
        const float along = glm::dot(d, n);
        if (along > 0.05f) r = std::min(r, distance / along);
    }
    return r;
}

ObjMesh rock(const RockShape& shape) {
    // The cube's surface points, keyed by their integer grid position so
    // that the cube faces share their edge vertices.
    std::map<std::tuple<int, int, int>, int> index;
    std::vector<glm::vec3> points;
    std::vector<std::vector<std::array<int, 4>>> quads(6);
    const glm::ivec3 axes[6][3] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
    };
    auto pointAt = [&](const glm::ivec3& g) {
        const auto key = std::make_tuple(g.x, g.y, g.z);
        const auto found = index.find(key);
        if (found != index.end()) return found->second;
        const glm::vec3 d = glm::normalize(glm::vec3(g) / static_cast<float>(kGrid) - 0.5f);
        glm::vec3 p = d * surfaceRadius(d, shape.seed) * shape.radii;
        // Lean the top over a little, as weathered boulders do.
        p.x += shape.lean * std::max(0.0f, p.y);
        p.y = std::max(p.y, -shape.baseCut * shape.radii.y);
        points.push_back(p);
        index.emplace(key, static_cast<int>(points.size()) - 1);
        return static_cast<int>(points.size()) - 1;
    };
    for (int f = 0; f < 6; ++f) {
        const glm::ivec3 n = axes[f][0], s = axes[f][1], t = axes[f][2];
        // Grid corner: the face's centre at n * half, minus half of s and t.
        const glm::ivec3 origin =
            (n + glm::ivec3(1)) * (kGrid / 2) - s * (kGrid / 2) - t * (kGrid / 2);
        for (int j = 0; j < kGrid; ++j)
            for (int i = 0; i < kGrid; ++i) {
                auto at = [&](int a, int b) { return pointAt(origin + s * a + t * b); };
                quads[f].push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)});
            }
    }

    // Rest the flat base on y = 0.
    const float base = -shape.baseCut * shape.radii.y;
    for (glm::vec3& p : points) p.y -= base;
    glm::vec3 centre(0.0f);
    for (const glm::vec3& p : points) centre += p;
    centre /= static_cast<float>(points.size());

    // Smooth normals: area-weighted face normals gathered at each point.
    std::vector<glm::vec3> normals(points.size(), glm::vec3(0.0f));
    for (const auto& face : quads)
        for (const auto& q : face) {
            const glm::vec3 n =
                glm::cross(points[q[1]] - points[q[0]], points[q[3]] - points[q[0]]) +
                glm::cross(points[q[3]] - points[q[2]], points[q[1]] - points[q[2]]);
            for (int k : q) normals[k] += n;
        }

    ObjMesh mesh;
    for (size_t k = 0; k < points.size(); ++k) {
        mesh.addPosition(points[k]);
        mesh.addNormal(glm::length(normals[k]) > 0.0f ? normals[k] : points[k] - centre);
    }
    for (int f = 0; f < 6; ++f) {
        const glm::vec3 s(axes[f][1]), t(axes[f][2]);
        for (const auto& q : quads[f]) {
            ObjMesh::Corner c[4];
            for (int k = 0; k < 4; ++k) {
                const glm::vec2 uv(glm::dot(points[q[k]], s), glm::dot(points[q[k]], t));
                c[k] = {q[k], mesh.addUv(uv / kMetresPerRepeat), q[k]};
            }
            // Wind each triangle counter-clockwise as seen from outside.
            auto add = [&](const ObjMesh::Corner& a, const ObjMesh::Corner& b,
                           const ObjMesh::Corner& d) {
                const glm::vec3 pa = points[a.position], pb = points[b.position],
                                pd = points[d.position];
                const glm::vec3 n = glm::cross(pb - pa, pd - pa);
                const glm::vec3 out = (pa + pb + pd) / 3.0f - centre;
                if (glm::dot(n, out) >= 0.0f)
                    mesh.addTriangle(a, b, d);
                else
                    mesh.addTriangle(a, d, b);
            };
            add(c[0], c[1], c[2]);
            add(c[0], c[2], c[3]);
        }
    }
    return mesh;
}

}  // namespace

void writeRocks(AssetWriter& out) {
    // About 5 m across and 5 m high; about 7 m across and 7.5 m high.
    out.obj("rock1_big.obj", rock({{2.75f, 3.4f, 2.5f}, 0.5f, 0.12f, 141}));
    out.obj("rock2_big.obj", rock({{3.8f, 5.0f, 3.4f}, 0.5f, -0.1f, 143}));
}
