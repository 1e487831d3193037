#include <gtest/gtest.h>

#include <assimp/scene.h>
#include <assimp/Importer.hpp>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "game/Terrain.h"
#include "support/ResourceFiles.h"

namespace {

constexpr int kMap = 128;

// The scene's height field: what loadHeightmap returns for the map, read with
// the scene's own lookup.
struct Terrain {
    std::vector<float> samples =
        resources::loadHeightSamples(resources::texturePath("h_level_ew.tga"), kMap, kMap);
    float at(float x, float z) const {
        return game::terrainHeight(samples.data(), kMap, kMap, 128.0f, 128.0f, 10.0f, x, z);
    }
    // The drawn ground between grid points (bilinear is close enough to the
    // two triangles of each square for these checks).
    float between(float x, float z) const {
        const float fx = std::floor(x), fz = std::floor(z);
        const float tx = x - fx, tz = z - fz;
        return (at(fx, fz) * (1 - tx) + at(fx + 1, fz) * tx) * (1 - tz) +
               (at(fx, fz + 1) * (1 - tx) + at(fx + 1, fz + 1) * tx) * tz;
    }
    float platformBase() const { return at(-2.5f, 0.0f) + 2.5f; }
};

}  // namespace

TEST(GroundMesh, VerticesSitOnTheSceneHeightsAtEveryGridPoint) {
    Terrain terrain;
    ASSERT_EQ(terrain.samples.size(), static_cast<size_t>(kMap * kMap));
    Assimp::Importer importer;
    const aiScene* scene = resources::importModel(importer, resources::modelPath("groundMesh.obj"));
    ASSERT_NE(scene, nullptr);
    const aiMesh* mesh = scene->mMeshes[0];
    EXPECT_EQ(mesh->mNumFaces, 2u * (kMap - 1) * (kMap - 1));
    std::map<std::pair<int, int>, float> grid;
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
        const aiVector3D& p = mesh->mVertices[i];
        const int c = static_cast<int>(std::lround(p.x)) + 64;
        const int r = static_cast<int>(std::lround(p.z)) + 64;
        ASSERT_EQ(p.x, c - 64.0f);
        ASSERT_EQ(p.z, r - 64.0f);
        ASSERT_TRUE(c >= 0 && c < kMap && r >= 0 && r < kMap);
        ASSERT_NEAR(p.y, terrain.at(p.x, p.z), 1e-4f) << "at " << p.x << ", " << p.z;
        // Column c and row r hold sample r * 128 + c, scaled by ten.
        ASSERT_NEAR(p.y, 10.0f * terrain.samples[r * kMap + c], 1e-4f);
        grid[{c, r}] = p.y;
        // Texture every 8 m.
        EXPECT_NEAR(mesh->mTextureCoords[0][i].x, p.x / 8.0f, 1e-4f);
        EXPECT_NEAR(mesh->mTextureCoords[0][i].y, p.z / 8.0f, 1e-4f);
    }
    EXPECT_EQ(grid.size(), static_cast<size_t>(kMap * kMap));
}

TEST(GroundMesh, FacesAndSmoothNormalsPointUpAfterImport) {
    Assimp::Importer importer;
    const aiScene* scene = resources::importModel(importer, resources::modelPath("groundMesh.obj"));
    ASSERT_NE(scene, nullptr);
    for (const resources::Triangle& t : resources::triangles(scene->mMeshes[0])) {
        ASSERT_GT(t.windingNormal().y, 0.0f);
        for (const glm::vec3& n : t.n) ASSERT_GT(n.y, 0.8f);
    }
}

TEST(GroundMesh, TerrainIsGentleWithinItsRange) {
    Terrain terrain;
    float low = 1e9f, high = -1e9f, steepest = 0.0f;
    for (int r = 0; r < kMap; ++r)
        for (int c = 0; c < kMap; ++c) {
            const float h = terrain.at(c - 64.0f, r - 64.0f);
            low = std::min(low, h);
            high = std::max(high, h);
            if (c + 1 < kMap)
                steepest = std::max(steepest, std::abs(terrain.at(c - 63.0f, r - 64.0f) - h));
            if (r + 1 < kMap)
                steepest = std::max(steepest, std::abs(terrain.at(c - 64.0f, r - 63.0f) - h));
        }
    EXPECT_GE(low, 0.0f);
    EXPECT_LE(high, 6.2f);  // any more and the import would no longer treat it as flat
    EXPECT_GE(high - low, 3.0f);
    EXPECT_LT(steepest, 0.45f);  // rolling, no cliffs
}

TEST(GroundMesh, PlateauUnderThePlatformIsFlat) {
    Terrain terrain;
    const float plateau = terrain.at(-2.5f, 0.0f);
    int points = 0;
    for (int r = 0; r < kMap; ++r)
        for (int c = 0; c < kMap; ++c) {
            const float x = c - 64.0f, z = r - 64.0f;
            if (std::hypot(x + 2.5f, z) > 12.0f) continue;
            ASSERT_EQ(terrain.at(x, z), plateau) << "at " << x << ", " << z;
            ++points;
        }
    EXPECT_GT(points, 400);
    // The platform (16.8 m across, foot 4 m under its top at H) stands on it:
    // its lowest step clears the ground and its foot is buried.
    const float base = terrain.platformBase();
    for (float x = -8.4f; x <= 8.4f; x += 0.7f)
        for (float z = -8.4f; z <= 8.4f; z += 0.7f) {
            const float ground = terrain.between(x - 2.5f, z);
            EXPECT_GT(base - 2.0f, ground);
            EXPECT_LT(base - 4.0f, ground);
        }
}

TEST(GroundMesh, CameraStartsWellAboveTheGround) {
    Terrain terrain;
    EXPECT_GE(10.0f - terrain.at(-45.0f, -25.0f), 3.0f);
    for (float dx : {-1.0f, 0.0f, 1.0f})
        for (float dz : {-1.0f, 0.0f, 1.0f})
            EXPECT_GE(10.0f - terrain.between(-45.0f + dx, -25.0f + dz), 3.0f);
}

TEST(GroundMesh, RocksRestOnModerateSlopes) {
    Terrain terrain;
    struct Spot {
        float x, z, footprint;
    };
    // The scene's rock spots; each rock stands at the height there minus 0.5 m.
    const Spot spots[] = {{15, 28, 2.4f},    {-15, -22, 2.4f}, {19, -25, 2.4f},
                          {35, 35, 2.4f},    {-35, -23, 2.4f}, {-12, 50, 2.4f},
                          {-41, 3.5f, 3.3f}, {48, -11, 3.3f},  {18, 38, 3.3f}};
    for (const Spot& spot : spots) {
        SCOPED_TRACE(testing::Message() << spot.x << ", " << spot.z);
        const float base = terrain.at(spot.x, spot.z) - 0.5f;
        for (int k = 0; k < 16; ++k) {
            const float a = 6.2831853f * k / 16.0f;
            const float ground = terrain.between(spot.x + spot.footprint * std::cos(a),
                                                 spot.z + spot.footprint * std::sin(a));
            // The base never hangs in the air, and the rock is not swallowed.
            EXPECT_GT(ground, base + 0.05f);
            EXPECT_LT(ground, base + 1.6f);
        }
    }
}
