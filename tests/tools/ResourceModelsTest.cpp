#include <gtest/gtest.h>

#include <assimp/scene.h>
#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>
#include <limits>

#include "support/ResourceFiles.h"

using resources::Triangle;

namespace {

struct Model {
    const char* name;
    unsigned triangleBudget;  // 0: no budget
};

const Model kModels[] = {
    {"groundMesh.obj", 0},
    {"skybox.obj", 0},
    {"rock1_big.obj", 2000},
    {"rock2_big.obj", 2000},
    {"emberwight_platform.obj", 4000},
    {"emberwight_rotate.obj", 4000},
    {"emberwight2.obj", 4000},
};

struct Bounds {
    glm::vec3 low{std::numeric_limits<float>::max()};
    glm::vec3 high{-std::numeric_limits<float>::max()};
    void add(const glm::vec3& p) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    glm::vec3 size() const { return high - low; }
};

struct Loaded {
    Assimp::Importer importer;
    const aiScene* scene = nullptr;
    std::vector<Triangle> triangles;
    Bounds bounds;
    explicit Loaded(const std::string& name) {
        scene = resources::importModel(importer, resources::modelPath(name));
        if (scene == nullptr || scene->mNumMeshes == 0) return;
        triangles = resources::triangles(scene->mMeshes[0]);
        for (const Triangle& t : triangles)
            for (const glm::vec3& p : t.p) bounds.add(p);
    }
};

// Six times the enclosed volume: positive when the surface faces outward.
double signedVolume(const std::vector<Triangle>& triangles) {
    double sum = 0.0;
    for (const Triangle& t : triangles) sum += glm::dot(t.p[0], glm::cross(t.p[1], t.p[2]));
    return sum;
}

// Share of corners whose normal agrees with its triangle's winding.
double agreeingNormals(const std::vector<Triangle>& triangles) {
    int agree = 0;
    for (const Triangle& t : triangles)
        for (const glm::vec3& n : t.n) agree += glm::dot(n, t.windingNormal()) > 0.0f;
    return agree / (3.0 * triangles.size());
}

}  // namespace

TEST(ResourceModels, EachLoadsAsOneMeshWithTangentSpaceWithinBudget) {
    for (const Model& model : kModels) {
        SCOPED_TRACE(model.name);
        Loaded loaded(model.name);
        ASSERT_NE(loaded.scene, nullptr) << loaded.importer.GetErrorString();
        ASSERT_EQ(loaded.scene->mNumMeshes, 1u);
        const aiMesh* mesh = loaded.scene->mMeshes[0];
        EXPECT_TRUE(mesh->HasTextureCoords(0));
        EXPECT_TRUE(mesh->HasNormals());
        EXPECT_TRUE(mesh->HasTangentsAndBitangents());
        EXPECT_EQ(loaded.triangles.size(), mesh->mNumFaces);
        if (model.triangleBudget > 0) {
            EXPECT_LE(mesh->mNumFaces, model.triangleBudget);
        }
    }
}

TEST(ResourceModels, SolidsFaceOutwardWithMatchingNormals) {
    for (const char* name : {"rock1_big.obj", "rock2_big.obj", "emberwight_platform.obj",
                             "emberwight_rotate.obj", "emberwight2.obj"}) {
        SCOPED_TRACE(name);
        Loaded loaded(name);
        ASSERT_FALSE(loaded.triangles.empty());
        EXPECT_GT(signedVolume(loaded.triangles), 0.0);
        EXPECT_GT(agreeingNormals(loaded.triangles), 0.99);
    }
}

TEST(ResourceModels, RocksHaveTheirSizesAndAFlatBaseOnTheGround) {
    struct Expected {
        const char* name;
        float minWidth, maxWidth, minHeight, maxHeight;
    };
    for (const Expected& rock : {Expected{"rock1_big.obj", 4.3f, 6.0f, 4.0f, 6.0f},
                                 Expected{"rock2_big.obj", 6.0f, 8.0f, 6.0f, 9.0f}}) {
        SCOPED_TRACE(rock.name);
        Loaded loaded(rock.name);
        ASSERT_FALSE(loaded.triangles.empty());
        const glm::vec3 size = loaded.bounds.size();
        const float width = std::max(size.x, size.z);
        EXPECT_GE(width, rock.minWidth);
        EXPECT_LE(width, rock.maxWidth);
        EXPECT_GE(size.y, rock.minHeight);
        EXPECT_LE(size.y, rock.maxHeight);
        EXPECT_NEAR(loaded.bounds.low.y, 0.0f, 1e-4f);
        // The base: a good share of the surface lies flat on y = 0, facing down.
        double baseArea = 0.0;
        for (const Triangle& t : loaded.triangles)
            if (t.p[0].y < 1e-3f && t.p[1].y < 1e-3f && t.p[2].y < 1e-3f)
                baseArea +=
                    0.5 * glm::length(t.windingNormal()) * (t.windingNormal().y < 0.0f ? 1 : -1);
        EXPECT_GT(baseArea, 0.3 * size.x * size.z);
        // Centred on the model origin, so the scene's placement is the rock's middle.
        const glm::vec3 middle = (loaded.bounds.low + loaded.bounds.high) * 0.5f;
        EXPECT_LT(std::abs(middle.x), 0.15f * size.x);
        EXPECT_LT(std::abs(middle.z), 0.15f * size.z);
    }
}

TEST(ResourceModels, PlatformTopIsTheOriginPlaneAndItsFootReachesDeep) {
    Loaded loaded("emberwight_platform.obj");
    ASSERT_FALSE(loaded.triangles.empty());
    EXPECT_FLOAT_EQ(loaded.bounds.high.y, 0.0f);
    EXPECT_LE(loaded.bounds.low.y, -3.5f);
    const glm::vec3 size = loaded.bounds.size();
    EXPECT_GE(std::min(size.x, size.z), 12.0f);
    EXPECT_LE(std::max(size.x, size.z), 18.0f);
    // The top is a flat, upward face around the origin, 12 m across at least.
    double topArea = 0.0;
    for (const Triangle& t : loaded.triangles)
        if (t.p[0].y == 0.0f && t.p[1].y == 0.0f && t.p[2].y == 0.0f && t.windingNormal().y > 0.0f)
            topArea += 0.5 * glm::length(t.windingNormal());
    EXPECT_GE(topArea, 143.9);
    // Stepped: several distinct tread heights.
    std::vector<float> treads;
    for (const Triangle& t : loaded.triangles)
        if (t.windingNormal().y > 0.0f &&
            std::find(treads.begin(), treads.end(), t.p[0].y) == treads.end())
            treads.push_back(t.p[0].y);
    EXPECT_GE(treads.size(), 3u);
}

TEST(ResourceModels, TurningStructureStandsOnTheTopAndClearOfTheEffigy) {
    Loaded ring("emberwight_rotate.obj");
    Loaded effigy("emberwight2.obj");
    ASSERT_FALSE(ring.triangles.empty());
    ASSERT_FALSE(effigy.triangles.empty());
    EXPECT_NEAR(ring.bounds.low.y, 0.0f, 1e-4f);
    EXPECT_GE(ring.bounds.high.y, 4.0f);
    // It turns about the vertical axis through its origin: centred there, and
    // inside the platform's 12 m top.
    EXPECT_NEAR(ring.bounds.low.x, -ring.bounds.high.x, 0.1f);
    EXPECT_NEAR(ring.bounds.low.z, -ring.bounds.high.z, 0.1f);
    EXPECT_LT(std::max(ring.bounds.high.x, ring.bounds.high.z), 6.0f);
    // Whatever the angle, it passes outside the effigy at every height it reaches.
    float ringInner = std::numeric_limits<float>::max();
    for (const Triangle& t : ring.triangles)
        for (const glm::vec3& p : t.p) ringInner = std::min(ringInner, std::hypot(p.x, p.z));
    float effigyOuter = 0.0f;
    for (const Triangle& t : effigy.triangles)
        for (const glm::vec3& p : t.p)
            if (p.y <= ring.bounds.high.y + 0.5f)
                effigyOuter = std::max(effigyOuter, std::hypot(p.x, p.z));
    EXPECT_GT(ringInner, effigyOuter + 0.5f);
}

TEST(ResourceModels, SkyBoxIsAUnitCubeSeenFromInsideWithOutwardNormals) {
    Loaded loaded("skybox.obj");
    ASSERT_EQ(loaded.triangles.size(), 6u * 4u * 4u * 2u);  // each face a 4 x 4 grid of quads
    EXPECT_EQ(loaded.bounds.low, glm::vec3(-0.5f));
    EXPECT_EQ(loaded.bounds.high, glm::vec3(0.5f));
    for (const Triangle& t : loaded.triangles) {
        // Counter-clockwise from the centre: the winding normal points inward ...
        EXPECT_LT(glm::dot(t.windingNormal(), t.centre()), 0.0f);
        for (int k = 0; k < 3; ++k) {
            // ... while the normals point out, so the import leaves it as it is.
            EXPECT_GT(glm::dot(t.n[k], t.centre()), 0.0f);
            EXPECT_GE(t.uv[k].x, 0.0f);
            EXPECT_LE(t.uv[k].x, 1.0f);
            EXPECT_GE(t.uv[k].y, 0.0f);
            EXPECT_LE(t.uv[k].y, 1.0f);
        }
    }
}
