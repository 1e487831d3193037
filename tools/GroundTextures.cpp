// Dry, dusty earth with pebbles and sparse dark grass: 8 m of ground per
// repeat at 1024 pixels (12.8 px per 10 cm). Colour, height and normals are
// made from one set of layers so the relief matches the picture.
#include <algorithm>
#include <cmath>

#include "tools/Assets.h"
#include "tools/Field.h"
#include "tools/Noise.h"

namespace {

using noise::smoothstep;
constexpr int kSize = 1024;
constexpr float kPixelsPerMetre = kSize / 8.0f;

struct Ground {
    Image colour{kSize, kSize};
    Field height{kSize, kSize};
};

// Calls f(x, y, offset) for the pixels within `radius` of `centre` (pixels),
// wrapped into the tile; offset is the pixel centre minus `centre`.
template <typename F>
void splat(glm::vec2 centre, float radius, F f) {
    const int x0 = static_cast<int>(std::floor(centre.x - radius));
    const int x1 = static_cast<int>(std::ceil(centre.x + radius));
    const int y0 = static_cast<int>(std::floor(centre.y - radius));
    const int y1 = static_cast<int>(std::ceil(centre.y + radius));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 offset = glm::vec2(x + 0.5f, y + 0.5f) - centre;
            if (glm::dot(offset, offset) > radius * radius) continue;
            f((x % kSize + kSize) % kSize, (y % kSize + kSize) % kSize, offset);
        }
}

// Bare earth: colour, height, dried-mud cracks in patches, specks of grit.
void earth(Ground& g) {
    const Field broad = noise::fbmField(kSize, 3, 4, 0.5f, 1);
    const Field grit = noise::fbmField(kSize, 48, 3, 0.55f, 2);
    const Field fine = noise::fbmField(kSize, 256, 2, 0.5f, 3);
    const Field dust = noise::fbmField(kSize, 5, 3, 0.5f, 4);
    const Field crackPatch = noise::fbmField(kSize, 3, 2, 0.5f, 7);
    const Field warpX = noise::fbmField(kSize, 24, 2, 0.5f, 8);
    const Field warpY = noise::fbmField(kSize, 24, 2, 0.5f, 9);
    const Field tint = noise::fbmField(kSize, 6, 3, 0.5f, 10);
    parallelRows(kSize, [&](int y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv((x + 0.5f) / kSize, (y + 0.5f) / kSize);
            const glm::vec2 warp(warpX.at(x, y), warpY.at(x, y));
            const noise::Cell cell = noise::tileWorley(uv + warp * 0.012f, {18, 18}, 6, 0.9f);
            const float patch = smoothstep(0.0f, 0.3f, crackPatch.at(x, y));
            const float crack =
                (1.0f - smoothstep(0.0f, 0.02f + 0.05f * patch, cell.f2 - cell.f1)) * patch;
            const float b = broad.at(x, y);
            const float gr = grit.at(x, y);
            const float fi = fine.at(x, y);

            glm::vec3 colour =
                noise::ramp(0.5f + 0.35f * b + 0.3f * gr, {{0.0f, {0.21f, 0.16f, 0.11f}},
                                                           {0.45f, {0.33f, 0.26f, 0.18f}},
                                                           {0.8f, {0.42f, 0.35f, 0.26f}},
                                                           {1.0f, {0.47f, 0.41f, 0.32f}}});
            const glm::vec3 ochre = glm::vec3(0.40f, 0.27f, 0.16f) * (0.8f + 0.3f * gr);
            colour = glm::mix(colour, ochre, 0.2f * smoothstep(0.1f, 0.6f, tint.at(x, y)));
            const float dusty = smoothstep(-0.25f, 0.35f, dust.at(x, y));
            colour =
                glm::mix(colour, glm::vec3(0.52f, 0.47f, 0.39f), 0.3f * dusty * (0.6f + 0.4f * fi));
            colour *= (0.92f + 0.16f * fi) * (1.0f - 0.45f * crack);
            if (noise::hash01(x, y, 8) < 0.02f) colour *= 0.6f;
            g.colour.set(x, y, colour);
            g.height.at(x, y) = 0.32f + 0.1f * b + 0.06f * gr + 0.025f * fi - 0.18f * crack;
        }
    });
}

// `count` stones of up to `size` metres across, with a contact shadow.
void pebbles(Ground& g, int count, float size, uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        const glm::vec2 centre(noise::hash01(seed, i, 1) * kSize,
                               noise::hash01(seed, i, 2) * kSize);
        const float angle = noise::hash01(seed, i, 3) * 6.2831853f;
        const glm::vec2 axis(std::cos(angle), std::sin(angle));
        const float k = noise::hash01(seed, i, 4);
        const float radius = 0.5f * size * kPixelsPerMetre * (0.35f + 0.65f * k * k);
        const float aspect = 0.6f + 0.4f * noise::hash01(seed, i, 5);
        const glm::vec3 stone =
            noise::ramp(noise::hash01(seed, i, 6), {{0.0f, {0.30f, 0.28f, 0.25f}},
                                                    {0.5f, {0.42f, 0.38f, 0.32f}},
                                                    {0.8f, {0.40f, 0.31f, 0.22f}},
                                                    {1.0f, {0.22f, 0.21f, 0.19f}}});
        splat(centre, radius * 1.3f + 1.0f, [&](int x, int y, glm::vec2 offset) {
            const glm::vec2 local(glm::dot(offset, axis),
                                  glm::dot(offset, glm::vec2(-axis.y, axis.x)) / aspect);
            const float d = glm::length(local) / radius;
            if (d < 1.0f) {
                const float dome = std::sqrt(1.0f - d * d);
                const float h = 0.3f + 0.3f * dome * std::min(1.0f, radius / 4.0f);
                if (h > g.height.at(x, y)) {
                    // Lit from the upper left a little, so the stones read as round.
                    const float light = 0.75f + 0.25f * dome -
                                        0.15f * glm::dot(offset / radius, glm::vec2(0.7f, 0.7f));
                    g.colour.set(x, y, stone * light);
                    g.height.at(x, y) = h;
                }
            } else {
                g.colour.at(x, y) *=
                    glm::vec4(glm::vec3(0.7f + 0.3f * smoothstep(1.0f, 1.3f, d)), 1.0f);
            }
        });
    }
}

// Tufts of dark, half-dry grass: thin curved blades spreading from a root,
// more of them where the ground holds moisture.
void grass(Ground& g, uint32_t seed) {
    const Field moisture = noise::fbmField(64, 4, 3, 0.5f, 5);
    for (int i = 0, placed = 0; i < 4000 && placed < 65; ++i) {
        const glm::vec2 root(noise::hash01(seed, i, 1) * kSize, noise::hash01(seed, i, 2) * kSize);
        const float wet = moisture.sampleWrapped(root.x / 16.0f, root.y / 16.0f);
        if (noise::hash01(seed, i, 3) > smoothstep(-0.1f, 0.5f, wet)) continue;
        ++placed;
        const int blades = 18 + static_cast<int>(noise::hash01(seed, i, 4) * 26.0f);
        const float reach = (0.12f + 0.16f * noise::hash01(seed, i, 5)) * kPixelsPerMetre;
        for (int b = 0; b < blades; ++b) {
            const uint32_t id = noise::hash(seed, i, b);
            const float angle = noise::hash01(id, 1) * 6.2831853f;
            const float length = reach * (0.4f + 0.6f * noise::hash01(id, 2));
            const float bend = (noise::hash01(id, 3) - 0.5f) * 1.4f;
            const glm::vec2 dir(std::cos(angle), std::sin(angle));
            const glm::vec2 side(-dir.y, dir.x);
            const glm::vec3 green =
                noise::ramp(noise::hash01(id, 4), {{0.0f, {0.08f, 0.10f, 0.04f}},
                                                   {0.6f, {0.15f, 0.16f, 0.06f}},
                                                   {1.0f, {0.30f, 0.26f, 0.12f}}});
            const float width = 1.3f + 0.6f * noise::hash01(id, 5);
            splat(root + dir * (length * 0.5f), length * 0.75f + 3.0f,
                  [&](int x, int y, glm::vec2 offset) {
                      const glm::vec2 p = offset + dir * (length * 0.5f);
                      const float t = std::clamp(glm::dot(p, dir) / length, 0.0f, 1.0f);
                      const glm::vec2 onBlade =
                          dir * (t * length) + side * (bend * t * t * length * 0.4f);
                      const float d = glm::length(p - onBlade);
                      const float w = width * (1.0f - 0.75f * t);
                      if (d < w) {
                          const float h = 0.55f + 0.4f * (1.0f - t);
                          if (h > g.height.at(x, y)) {
                              g.colour.set(x, y, green * (0.7f + 0.5f * t));
                              g.height.at(x, y) = h;
                          }
                      } else if (d < w + 2.5f && g.height.at(x, y) < 0.5f) {
                          g.colour.at(x, y) *= glm::vec4(glm::vec3(0.9f), 1.0f);
                      }
                  });
        }
    }
}

}  // namespace

void writeGroundTextures(AssetWriter& out) {
    Ground g;
    earth(g);
    pebbles(g, 2600, 0.05f, 21);
    pebbles(g, 160, 0.11f, 22);
    grass(g, 23);
    // Hollows collect shade: darken where the ground lies below its surroundings.
    const Field around = g.height.blurred(6);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float cavity =
                std::clamp((around.at(x, y) - g.height.at(x, y)) * 4.0f, 0.0f, 0.5f);
            g.colour.at(x, y) *= glm::vec4(glm::vec3(1.0f - cavity), 1.0f);
        }
    g.height.normalize();
    out.jpeg("ground07.jpg", g.colour);
    out.jpeg("ground07b.jpg", g.height.toImage());
    out.jpeg("ground07n.jpg", g.height.normalMap(10.0f));
}
