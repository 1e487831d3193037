// The night sky: a unit cube seen from inside and its texture, six 1024-pixel
// faces in a 3 x 2 atlas. Every pixel is coloured by the direction in which
// the eye sees it. The demo draws the box 25 m above the eye at 100 m
// half-size, so the eye sits at y = -0.125 in the cube's unit space and the
// horizon crosses the side faces at 37.5 % of their height.
#include <algorithm>
#include <cmath>
#include <glm/gtc/noise.hpp>

#include "tools/Assets.h"
#include "tools/Field.h"
#include "tools/Noise.h"

namespace {

using noise::smoothstep;
constexpr int kCell = 1024;
constexpr int kColumns = 3;
constexpr int kRows = 2;
// Each cell shows a little more than its face (kMargin pixels all round), so
// filtering at the face edges reads the sky beyond them, not the next cell.
constexpr int kMargin = 4;
const glm::vec3 kEye(0.0f, -0.125f, 0.0f);

// A face seen from inside: `right` and `up` are the picture's axes as the
// viewer in the centre sees them.
struct Face {
    glm::vec3 normal;
    glm::vec3 right;
    glm::vec3 up;
    int column;
    int row;  // from the top of the atlas
};

const Face kFaces[6] = {
    {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}, 0, 0},    // +x
    {{0, 0, 1}, {-1, 0, 0}, {0, 1, 0}, 1, 0},   // +z
    {{-1, 0, 0}, {0, 0, -1}, {0, 1, 0}, 2, 0},  // -x
    {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}, 0, 1},   // -z
    {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}, 1, 1},    // top
    {{0, -1, 0}, {-1, 0, 0}, {0, 0, 1}, 2, 1},  // bottom
};

// The point of the cube (half-size 0.5) at face coordinates a, b in -1..1.
glm::vec3 facePoint(const Face& face, float a, float b) {
    return 0.5f * (face.normal + a * face.right + b * face.up);
}

// The milky way: a faint, mottled band across the sky (0..1).
float milkyWay(const glm::vec3& d) {
    const glm::vec3 pole = glm::normalize(glm::vec3(0.35f, 0.45f, 0.82f));
    const float band = std::exp(-std::pow(glm::dot(d, pole) / 0.22f, 2.0f));
    if (band < 0.01f) return 0.0f;
    const float cloud = 0.5f + 0.5f * noise::fbm(d * 6.0f, 4, 0.55f, 121);
    const float lanes = smoothstep(0.1f, 0.5f, noise::fbm(d * 11.0f, 3, 0.5f, 122));
    return band * cloud * (1.0f - 0.7f * lanes);
}

// Sky colour in the direction d (unit, from the eye); `milky` is the milky
// way's brightness there.
glm::vec3 skyColour(const glm::vec3& d, float milky) {
    const float elevation = std::asin(std::clamp(d.y, -1.0f, 1.0f));
    const float azimuth = std::atan2(d.z, d.x);
    const float up = std::max(elevation, 0.0f);
    // Deep blue overhead, paler toward the horizon.
    glm::vec3 c = glm::mix(glm::vec3(0.045f, 0.062f, 0.11f), glm::vec3(0.012f, 0.024f, 0.072f),
                           std::pow(up / 1.5707964f, 0.6f));
    // A faint warm glow just above the horizon, stronger on one side.
    const float side = 0.55f + 0.45f * std::pow(0.5f + 0.5f * std::cos(azimuth - 0.6f), 2.0f);
    c += glm::vec3(0.2f, 0.09f, 0.04f) * side * std::exp(-up / 0.1f);
    c += glm::vec3(0.075f, 0.08f, 0.1f) * milky * smoothstep(0.0f, 0.35f, elevation);
    // Below the horizon the sky goes near-black within a couple of degrees,
    // to meet the fogged ground.
    return glm::mix(glm::vec3(0.006f, 0.007f, 0.01f), c, smoothstep(-0.04f, 0.005f, elevation));
}

// Stars: each pixel may hold one, with a chance that follows the solid angle
// it covers, so the sky is evenly sprinkled across the face. They are
// splatted as small gaussians, dimmed and reddened near the horizon.
void addStars(Image& atlas, int f, const Face& face, float extend) {
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const float a = ((x + 0.5f) / kCell * 2.0f - 1.0f) * extend;
            const float b = (1.0f - (y + 0.5f) / kCell * 2.0f) * extend;
            const float q = 1.0f + a * a + b * b;
            const uint32_t id = noise::hash(131, f, x, y);
            if (noise::hash01(id, 1) >= 0.0022f / (q * std::sqrt(q))) continue;
            const glm::vec3 d = glm::normalize(facePoint(face, a, b) - kEye);
            const float clear = smoothstep(0.0f, 0.3f, std::asin(d.y));
            if (clear <= 0.0f) continue;
            const glm::vec2 centre(x + noise::hash01(id, 2), y + noise::hash01(id, 3));
            const float k = noise::hash01(id, 4);
            const float brightness = 0.12f + 1.4f * std::pow(k, 7.0f);
            const float sigma = 0.45f + 0.6f * std::pow(k, 4.0f);
            const glm::vec3 tint =
                noise::ramp(noise::hash01(id, 5), {{0.0f, {0.75f, 0.85f, 1.0f}},
                                                   {0.6f, {1.0f, 1.0f, 1.0f}},
                                                   {1.0f, {1.0f, 0.86f, 0.68f}}}) *
                glm::vec3(1.0f, 0.92f + 0.08f * clear, 0.85f + 0.15f * clear);
            const int reach = static_cast<int>(std::ceil(3.0f * sigma));
            for (int sy = y - reach; sy <= y + reach; ++sy)
                for (int sx = x - reach; sx <= x + reach; ++sx) {
                    if (sx < 0 || sy < 0 || sx >= kCell || sy >= kCell) continue;
                    const glm::vec2 offset = glm::vec2(sx + 0.5f, sy + 0.5f) - centre;
                    const float fall = std::exp(-glm::dot(offset, offset) / (2.0f * sigma * sigma));
                    atlas.at(face.column * kCell + sx, face.row * kCell + sy) +=
                        glm::vec4(tint * brightness * clear * fall, 0.0f);
                }
        }
}

void writeSkyTexture(AssetWriter& out) {
    Image atlas(kColumns * kCell, kRows * kCell);
    const float extend = 1.0f + 2.0f * kMargin / kCell;
    for (int f = 0; f < 6; ++f) {
        const Face& face = kFaces[f];
        // The milky way is soft: an eighth of the resolution is plenty.
        constexpr int kCoarse = kCell / 8;
        Field milky(kCoarse, kCoarse);
        milky.fill([&](float u, float v) {
            const float a = (u * 2.0f - 1.0f) * extend;
            const float b = (1.0f - v * 2.0f) * extend;
            return milkyWay(glm::normalize(facePoint(face, a, b) - kEye));
        });
        parallelRows(kCell, [&](int y) {
            for (int x = 0; x < kCell; ++x) {
                const float a = ((x + 0.5f) / kCell * 2.0f - 1.0f) * extend;
                const float b = (1.0f - (y + 0.5f) / kCell * 2.0f) * extend;
                const glm::vec3 d = glm::normalize(facePoint(face, a, b) - kEye);
                // Dither, so the dark gradients do not band in 8 bits.
                const float dither = (noise::hash01(f, x, y, 132) - 0.5f) / 255.0f;
                const float m = milky.sampleClamped((x + 0.5f) / 8.0f, (y + 0.5f) / 8.0f);
                atlas.set(face.column * kCell + x, face.row * kCell + y, skyColour(d, m) + dither);
            }
        });
        addStars(atlas, f, face, extend);
    }
    out.jpeg("skybox2.jpg", atlas);
}

// The cube: counter-clockwise as seen from the centre, normals outward (the
// loader's fix for inward normals would otherwise turn it inside out). Face
// corners map into each cell inside its margin. Each face is a grid of
// kSkyGrid x kSkyGrid quads: a face seen from near its corner reaches behind
// the camera, and small triangles keep what the rasteriser must clip against
// the near plane off the screen (SwiftShader, for one, misdraws the sky's two
// clipped halves of a face).
constexpr int kSkyGrid = 4;

void writeSkyModel(AssetWriter& out) {
    ObjMesh mesh;
    const float inner = 1.0f - 2.0f * kMargin / kCell;  // face edge within the cell, -1..1 units
    const float width = static_cast<float>(kColumns * kCell);
    const float height = static_cast<float>(kRows * kCell);
    const auto at = [](int step) { return -1.0f + 2.0f * static_cast<float>(step) / kSkyGrid; };
    for (const Face& face : kFaces) {
        for (int row = 0; row < kSkyGrid; ++row) {
            for (int column = 0; column < kSkyGrid; ++column) {
                const float a[4] = {at(column), at(column + 1), at(column + 1), at(column)};
                const float b[4] = {at(row), at(row), at(row + 1), at(row + 1)};
                glm::vec3 corners[4];
                glm::vec2 uvs[4];
                for (int i = 0; i < 4; ++i) {
                    corners[i] = facePoint(face, a[i], b[i]);
                    const float px = face.column * kCell + (0.5f + 0.5f * a[i] * inner) * kCell;
                    const float pyFromTop = face.row * kCell + (0.5f - 0.5f * b[i] * inner) * kCell;
                    uvs[i] = glm::vec2(px / width, 1.0f - pyFromTop / height);
                }
                mesh.addQuad(corners, uvs, face.normal, false);
            }
        }
    }
    out.obj("skybox.obj", mesh);
}

}  // namespace

void writeSky(AssetWriter& out) {
    writeSkyTexture(out);
    writeSkyModel(out);
}
