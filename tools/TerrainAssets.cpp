// The height map and the ground mesh built from it. The mesh is made from the
// samples the demo itself will read back (greyscale, bilinear rescale to
// 128 x 128, float, bottom row first), placed with the demo's own height
// lookup, so the drawn ground and the height the scene asks for agree.
#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "game/Terrain.h"
#include "tools/Assets.h"
#include "tools/Noise.h"

namespace {

constexpr int kMapSize = 128;
constexpr float kTerrainSize = 128.0f;
constexpr float kHeightScale = 10.0f;
constexpr float kPlateauHeight = 1.5f;
const glm::vec2 kPlatformCentre(-2.5f, 0.0f);

// Ground height in metres at world (x, z): a flat plateau for the platform,
// rolling ground around it and a rim of low hills toward the map's edges, so
// the fogged far ground meets the sky along crests rather than at a cut.
float designedHeight(float x, float z) {
    using noise::smoothstep;
    const float r = glm::length(glm::vec2(x, z) - kPlatformCentre);
    const glm::vec2 p = glm::vec2(x, z) / 38.0f;
    const float rolling = 2.3f + 1.7f * noise::fbm(glm::vec3(p, 0.0f), 4, 0.45f, 41);
    const float edge = 0.6f * std::max(std::abs(x), std::abs(z)) + 0.4f * r;
    const float rim = 2.4f * smoothstep(34.0f, 64.0f, edge);
    const float open = std::clamp(rolling + rim, 0.1f, 5.9f);
    return glm::mix(kPlateauHeight, open, smoothstep(14.0f, 27.0f, r));
}

std::vector<float> loadSamples(const std::string& path) {
    std::vector<float> samples;
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    FIBITMAP* image = format == FIF_UNKNOWN ? nullptr : FreeImage_Load(format, path.c_str(), 0);
    if (image == nullptr) return samples;
    FIBITMAP* grey = FreeImage_ConvertToGreyscale(image);
    FIBITMAP* scaled = FreeImage_Rescale(grey, kMapSize, kMapSize, FILTER_BILINEAR);
    FIBITMAP* values = FreeImage_ConvertToFloat(scaled);
    const float* bits = reinterpret_cast<const float*>(FreeImage_GetBits(values));
    // Float rows are never padded (4-byte pixels), so the bits are one array.
    samples.assign(bits, bits + kMapSize * kMapSize);
    for (FIBITMAP* bitmap : {image, grey, scaled, values}) FreeImage_Unload(bitmap);
    return samples;
}

}  // namespace

void writeTerrain(AssetWriter& out) {
    // Image row 0 is the top (z = +63); sample row r lies at z = r - 64.
    Image map(kMapSize, kMapSize);
    for (int y = 0; y < kMapSize; ++y)
        for (int c = 0; c < kMapSize; ++c) {
            const int r = kMapSize - 1 - y;
            const float h = designedHeight(c - 64.0f, r - 64.0f);
            map.set(c, y, glm::vec3(h / kHeightScale));
        }
    out.tga("h_level_ew.tga", map, 8);

    const std::vector<float> samples = loadSamples(out.texturePath("h_level_ew.tga"));
    if (samples.empty()) {
        std::fprintf(stderr, "cannot read back h_level_ew.tga\n");
        out.obj("groundMesh.obj", ObjMesh());
        return;
    }
    auto height = [&](int c, int r) {
        c = std::clamp(c, 0, kMapSize - 1);
        r = std::clamp(r, 0, kMapSize - 1);
        return game::terrainHeight(samples.data(), kMapSize, kMapSize, kTerrainSize, kTerrainSize,
                                   kHeightScale, c - 64.0f, r - 64.0f);
    };

    ObjMesh mesh;
    std::vector<ObjMesh::Corner> grid(kMapSize * kMapSize);
    for (int r = 0; r < kMapSize; ++r)
        for (int c = 0; c < kMapSize; ++c) {
            const float x = c - 64.0f;
            const float z = r - 64.0f;
            const float dx = (height(c + 1, r) - height(c - 1, r)) /
                             static_cast<float>(std::min(c + 1, kMapSize - 1) - std::max(c - 1, 0));
            const float dz = (height(c, r + 1) - height(c, r - 1)) /
                             static_cast<float>(std::min(r + 1, kMapSize - 1) - std::max(r - 1, 0));
            // The texture repeats every 8 m.
            grid[r * kMapSize + c] = {mesh.addPosition({x, height(c, r), z}),
                                      mesh.addUv({x / 8.0f, z / 8.0f}),
                                      mesh.addNormal({-dx, 1.0f, -dz})};
        }
    for (int r = 0; r + 1 < kMapSize; ++r)
        for (int c = 0; c + 1 < kMapSize; ++c) {
            const auto& a = grid[r * kMapSize + c];
            const auto& b = grid[r * kMapSize + c + 1];
            const auto& d = grid[(r + 1) * kMapSize + c];
            const auto& e = grid[(r + 1) * kMapSize + c + 1];
            // Counter-clockwise seen from above (+y).
            mesh.addTriangle(a, d, b);
            mesh.addTriangle(b, d, e);
        }
    out.obj("groundMesh.obj", mesh);
}
