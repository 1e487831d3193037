#include <gtest/gtest.h>

#include <assimp/scene.h>
#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>
#include <vector>

#include "support/ResourceFiles.h"

using resources::Triangle;

namespace {

// The fire segments, relative to the effigy's origin (-2.5, H, 0).
const glm::vec3 kSegments[11][2] = {
    {{2.25f, 0.4f, 0.0f}, {0.915f, 4.73f, 0.0f}},   {{-2.25f, 0.4f, 0.0f}, {-0.915f, 4.73f, 0.0f}},
    {{0.915f, 4.73f, 0.0f}, {1.0f, 8.5f, 0.0f}},    {{-0.915f, 4.73f, 0.0f}, {-1.0f, 8.5f, 0.0f}},
    {{1.0f, 8.5f, 0.0f}, {4.0f, 10.0f, 0.0f}},      {{-1.0f, 8.5f, 0.0f}, {-4.0f, 10.0f, 0.0f}},
    {{0.0f, 5.95f, 0.0f}, {0.0f, 8.41f, 0.0f}},     {{0.0f, 8.41f, 0.0f}, {0.0f, 10.8f, 0.0f}},
    {{1.95f, 0.0f, 1.75f}, {-1.95f, 0.0f, -1.75f}}, {{-1.95f, 0.0f, 1.75f}, {1.95f, 0.0f, -1.75f}},
    {{0.0f, 0.0f, 2.63f}, {0.0f, 0.0f, -2.63f}},
};
const glm::vec3 kLight(0.0f, 8.19f, 0.0f);

// One beam: the twelve triangles of a closed box, as the model lists them.
struct Box {
    std::vector<Triangle> faces;
    // Largest signed distance of p outside the face planes: negative inside,
    // and never more than the true distance outside.
    float outside(const glm::vec3& p) const {
        float worst = -1e9f;
        for (const Triangle& t : faces) {
            const glm::vec3 n = glm::normalize(t.windingNormal());
            worst = std::max(worst, glm::dot(p - t.p[0], n));
        }
        return worst;
    }
    glm::vec3 centre() const {
        glm::vec3 sum(0.0f);
        for (const Triangle& t : faces) sum += t.centre();
        return sum / static_cast<float>(faces.size());
    }
};

std::vector<Box> beams() {
    Assimp::Importer importer;
    const aiScene* scene =
        resources::importModel(importer, resources::modelPath("emberwight2.obj"));
    std::vector<Box> boxes;
    if (scene == nullptr) return boxes;
    const std::vector<Triangle> all = resources::triangles(scene->mMeshes[0]);
    for (size_t i = 0; i + 12 <= all.size(); i += 12)
        boxes.push_back({std::vector<Triangle>(all.begin() + i, all.begin() + i + 12)});
    return boxes;
}

}  // namespace

TEST(EffigyModel, IsMadeOfClosedOutwardBoxes) {
    const std::vector<Box> boxes = beams();
    ASSERT_GE(boxes.size(), 11u);
    for (const Box& box : boxes) {
        // The middle of each box lies behind every one of its faces ...
        EXPECT_LT(box.outside(box.centre()), -0.05f);
        // ... and its faces close up: every edge is shared by two faces, once each way.
        int unmatched = 0;
        for (const Triangle& t : box.faces)
            for (int e = 0; e < 3; ++e) {
                const glm::vec3 a = t.p[e], b = t.p[(e + 1) % 3];
                bool found = false;
                for (const Triangle& u : box.faces)
                    for (int f = 0; f < 3; ++f)
                        found = found || (glm::distance(u.p[f], b) < 1e-4f &&
                                          glm::distance(u.p[(f + 1) % 3], a) < 1e-4f);
                unmatched += !found;
            }
        // The quads' diagonals are shared inside each face: all 36 edges pair up.
        EXPECT_EQ(unmatched, 0);
    }
}

TEST(EffigyModel, BeamsHoldTheEndsOfEveryFireSegment) {
    const std::vector<Box> boxes = beams();
    ASSERT_FALSE(boxes.empty());
    for (const auto& segment : kSegments)
        for (const glm::vec3& end : segment) {
            float best = 1e9f;
            for (const Box& box : boxes) best = std::min(best, box.outside(end));
            EXPECT_LT(best, -1e-3f) << "(" << end.x << ", " << end.y << ", " << end.z << ")";
        }
}

TEST(EffigyModel, OnlyTheSpineComesNearTheFireLight) {
    const std::vector<Box> boxes = beams();
    ASSERT_FALSE(boxes.empty());
    int enclosing = 0;
    for (const Box& box : boxes) {
        if (box.outside(kLight) < 0.0f) {
            ++enclosing;
            // The spine: a vertical beam through the light.
            for (const Triangle& t : box.faces)
                for (const glm::vec3& p : t.p) {
                    EXPECT_LT(std::abs(p.x), 0.25f);
                    EXPECT_LT(std::abs(p.z), 0.25f);
                }
        } else {
            EXPECT_GT(box.outside(kLight), 0.3f);
        }
    }
    EXPECT_EQ(enclosing, 1);
}

TEST(EffigyModel, TextureRunsAlongEachBeam) {
    int checked = 0;
    for (const Box& box : beams()) {
        // The beam's direction: its longest edge (a long face's diagonal, close
        // enough for beams at least 2 m long).
        glm::vec3 axis(0.0f);
        for (const Triangle& t : box.faces)
            for (int e = 0; e < 3; ++e) {
                const glm::vec3 edge = t.p[(e + 1) % 3] - t.p[e];
                if (glm::length(edge) > glm::length(axis)) axis = edge;
            }
        if (glm::length(axis) < 2.0f) continue;  // the head block and the hip bar
        axis = glm::normalize(axis);
        for (const Triangle& t : box.faces) {
            const glm::vec3 n = t.windingNormal();
            if (std::abs(glm::dot(glm::normalize(n), axis)) > 0.5f) continue;  // an end cap
            // Gradient of v over the face.
            const glm::vec3 e1 = t.p[1] - t.p[0], e2 = t.p[2] - t.p[0];
            const float dv1 = t.uv[1].y - t.uv[0].y, dv2 = t.uv[2].y - t.uv[0].y;
            const glm::vec3 g =
                (dv1 * glm::cross(e2, n) + dv2 * glm::cross(n, e1)) / glm::dot(n, n);
            // Two metres of beam per repeat, straight along it.
            EXPECT_NEAR(glm::length(g), 0.5f, 0.02f);
            EXPECT_GT(std::abs(glm::dot(glm::normalize(g), axis)), 0.97f);
            ++checked;
        }
    }
    EXPECT_GT(checked, 80);
}
