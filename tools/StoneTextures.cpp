// Weathered boulder stone and the platform's bricks. rock1.jpg doubles as the
// rocks' depth map, so its brightness follows the relief: crevices dark.
#include <algorithm>
#include <cmath>

#include "tools/Assets.h"
#include "tools/Field.h"
#include "tools/Noise.h"

namespace {

using noise::smoothstep;

// Flakes: the noise cut into terraces with steep risers, as where weathered
// layers have spalled off.
float terrace(float n, float steps) {
    const float t = n * steps;
    const float k = std::floor(t);
    return (k + smoothstep(0.75f, 1.0f, t - k)) / steps;
}

// 1024 pixels for 2.5 m of stone.
void writeRock(AssetWriter& out) {
    constexpr int kSize = 1024;
    const Field lumps = noise::fbmField(kSize, 3, 5, 0.5f, 31);
    const Field flakes = noise::fbmField(kSize, 8, 4, 0.5f, 44);
    const Field creases = noise::ridgedField(kSize, 6, 4, 0.6f, 32);
    const Field rough = noise::fbmField(kSize, 48, 2, 0.5f, 33);
    const Field warpX = noise::fbmField(kSize, 6, 3, 0.5f, 34);
    const Field warpY = noise::fbmField(kSize, 6, 3, 0.5f, 35);
    const Field crackMask = noise::fbmField(kSize, 4, 3, 0.5f, 42);
    const Field tint = noise::fbmField(kSize, 2, 3, 0.5f, 36);
    const Field lichen = noise::fbmField(kSize, 12, 4, 0.55f, 37);
    Field height(kSize, kSize);
    Field grains(kSize, kSize);
    parallelRows(kSize, [&](int y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv((x + 0.5f) / kSize, (y + 0.5f) / kSize);
            const glm::vec2 warp(warpX.at(x, y), warpY.at(x, y));
            // Fractures: only stretches of the cell borders open up, at varying widths.
            const noise::Cell cell = noise::tileWorley(uv + warp * 0.06f, {5, 5}, 38, 0.9f);
            const float open = smoothstep(0.0f, 0.4f, crackMask.at(x, y));
            const float crack =
                (1.0f - smoothstep(0.0f, 0.01f + 0.04f * open, cell.f2 - cell.f1)) * open;
            const noise::Cell fine = noise::tileWorley(uv + warp * 0.02f, {16, 16}, 45, 0.9f);
            const float hairline = (1.0f - smoothstep(0.0f, 0.04f, fine.f2 - fine.f1)) *
                                   smoothstep(0.1f, 0.4f, -crackMask.at(x, y));
            // Mineral grains a few pixels across.
            const noise::Cell grain = noise::tileWorley(uv, {340, 340}, 46, 0.9f);
            grains.at(x, y) = noise::hash01(grain.id.x, grain.id.y, 47);
            const float c = creases.at(x, y);
            height.at(x, y) = 0.5f + 0.3f * lumps.at(x, y) +
                              0.45f * terrace(0.5f + 0.5f * flakes.at(x, y), 4.0f) + 0.12f * c * c +
                              0.05f * rough.at(x, y) + 0.03f * (grains.at(x, y) - 0.5f) -
                              0.35f * crack - 0.06f * hairline * (1.0f - open);
        }
    });
    height.normalize();

    Image colour(kSize, kSize);
    parallelRows(kSize, [&](int y) {
        for (int x = 0; x < kSize; ++x) {
            const float h = height.at(x, y);
            const glm::vec3 grey(0.42f, 0.40f, 0.38f);
            const glm::vec3 brown(0.45f, 0.38f, 0.30f);
            glm::vec3 c = glm::mix(grey, brown, smoothstep(-0.4f, 0.4f, tint.at(x, y)));
            // Dark, light and rusty mineral grains.
            const float g = grains.at(x, y);
            c *= 0.92f + 0.16f * g;
            if (g < 0.05f)
                c *= 0.75f;
            else if (g > 0.95f)
                c = glm::mix(c, glm::vec3(0.62f, 0.6f, 0.56f), 0.6f);
            else if (g > 0.9f)
                c = glm::mix(c, glm::vec3(0.5f, 0.32f, 0.2f), 0.4f);
            // Pale lichen on the exposed tops.
            const float l = smoothstep(0.3f, 0.5f, lichen.at(x, y)) * smoothstep(0.5f, 0.65f, h);
            c = glm::mix(c, glm::vec3(0.55f, 0.55f, 0.46f), 0.45f * l);
            c *= 0.1f + 1.2f * std::pow(h, 1.1f);
            colour.set(x, y, c);
        }
    });
    out.jpeg("rock1.jpg", colour);
    out.jpeg("rock1n.jpg", height.normalMap(20.0f));
}

// Running-bond bricks: 1024 pixels for 2 m x 2 m, eight bricks of 25 cm
// (with joint) across and 24 courses of 8.3 cm.
void writeBrick(AssetWriter& out) {
    constexpr int kSize = 1024;
    constexpr float kTile = 2.0f;
    constexpr int kAcross = 8;
    constexpr int kCourses = 24;
    constexpr float kLength = kTile / kAcross;
    constexpr float kCourse = kTile / kCourses;
    constexpr float kJoint = 0.011f;
    const Field surface = noise::fbmField(kSize, 64, 3, 0.5f, 51);
    const Field edgeNoise = noise::fbmField(kSize, 40, 3, 0.5f, 52);
    const Field grime = noise::fbmField(kSize, 4, 4, 0.5f, 53);
    const Field sand = noise::fbmField(kSize, 256, 1, 0.5f, 54);
    Field height(kSize, kSize);
    Image colour(kSize, kSize);
    parallelRows(kSize, [&](int y) {
        for (int x = 0; x < kSize; ++x) {
            const float px = (x + 0.5f) / kSize * kTile;
            const float py = (y + 0.5f) / kSize * kTile;
            const int course = static_cast<int>(py / kCourse);
            const float shifted = px + (course % 2 == 1 ? kLength * 0.5f : 0.0f);
            const int brick = static_cast<int>(std::floor(shifted / kLength));
            const float lx = shifted - brick * kLength;
            const float ly = py - course * kCourse;
            const uint32_t id = noise::hash(55, (brick % kAcross + kAcross) % kAcross, course);
            // Distance inside the brick's face, roughened so edges chip.
            const float edge = std::min(std::min(lx, kLength - lx), std::min(ly, kCourse - ly)) -
                               kJoint * 0.5f + 0.003f * edgeNoise.at(x, y);
            const float face = smoothstep(0.0f, 0.003f, edge);
            const float bevel = smoothstep(0.0f, 0.012f, edge);

            const glm::vec3 fired =
                noise::ramp(noise::hash01(id, 1), {{0.0f, {0.30f, 0.13f, 0.09f}},
                                                   {0.25f, {0.47f, 0.20f, 0.13f}},
                                                   {0.6f, {0.56f, 0.26f, 0.17f}},
                                                   {0.85f, {0.60f, 0.34f, 0.21f}},
                                                   {1.0f, {0.50f, 0.33f, 0.24f}}});
            glm::vec3 brickColour =
                fired * (0.85f + 0.2f * surface.at(x, y)) * (0.8f + 0.2f * bevel);
            if (noise::hash01(x, y, 56) < 0.03f) brickColour *= 0.75f;  // pores
            const glm::vec3 mortar =
                glm::vec3(0.50f, 0.48f, 0.43f) * (0.8f + 0.25f * sand.at(x, y));
            glm::vec3 c = glm::mix(mortar, brickColour, face);
            c *= 1.0f - 0.35f * smoothstep(0.0f, 0.6f, grime.at(x, y));  // soot and weathering
            colour.set(x, y, c);
            height.at(x, y) = glm::mix(0.15f + 0.05f * sand.at(x, y),
                                       0.7f + 0.25f * bevel + 0.05f * surface.at(x, y), face);
        }
    });
    height.normalize();
    out.jpeg("brick13_2.jpg", colour);
    out.jpeg("brick13d.jpg", height.toImage());
    out.jpeg("brick13n.jpg", height.normalMap(8.0f));
}

}  // namespace

void writeStoneTextures(AssetWriter& out) {
    writeRock(out);
    writeBrick(out);
}
