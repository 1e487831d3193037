// The effigy's fire layer and noise, the sun glow and the spark sprite.
// All are 24-bit: the demo reads them through its RGB loaders, and the glow
// sprites are drawn additively, so black is transparent.
#include <algorithm>
#include <cmath>
#include <glm/gtc/noise.hpp>

#include "tools/Assets.h"
#include "tools/Field.h"
#include "tools/Noise.h"

namespace {

using noise::smoothstep;

glm::vec3 fireColour(float heat) {
    return noise::ramp(heat, {{0.0f, {0.0f, 0.0f, 0.0f}},
                              {0.25f, {0.22f, 0.01f, 0.0f}},
                              {0.45f, {0.62f, 0.10f, 0.01f}},
                              {0.62f, {0.95f, 0.36f, 0.03f}},
                              {0.8f, {1.0f, 0.66f, 0.16f}},
                              {1.0f, {1.0f, 0.93f, 0.66f}}});
}

// Periodic noise stretched along v: `across` cells on u, `along` cells on v
// for the first octave.
float streaks(glm::vec2 uv, int across, int along, int octaves, uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        const glm::vec2 f(static_cast<float>(across << o), static_cast<float>(along << o));
        sum += amplitude * glm::perlin(uv * f + noise::seedOffset(seed + o), f);
        norm += amplitude;
        amplitude *= 0.55f;
    }
    return sum / norm;
}

// Tileable tongues of flame over glowing embers: the effigy material scrolls
// and distorts it, so it tiles both ways.
void writeFireLayer(AssetWriter& out) {
    constexpr int kSize = 512;
    Field heat(kSize, kSize);
    heat.fill([](float u, float v) {
        const glm::vec2 uv(u, v);
        const float warp = streaks(uv, 4, 2, 2, 81);
        const float tongues =
            1.0f - std::abs(streaks(uv + glm::vec2(0.04f * warp, 0.0f), 6, 2, 4, 82));
        const float body = 0.5f + 0.5f * streaks(uv, 3, 3, 3, 83);
        return std::pow(tongues, 3.0f) * (0.45f + 0.75f * body);
    });
    heat.normalize();
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            float h = heat.at(x, y);
            // Scattered embers: bright points in the darker parts.
            if (noise::hash01(x, y, 84) < 0.0015f) h = std::max(h, 0.7f);
            image.set(x, y, fireColour(h));
        }
    out.tga("fire_layer.tga", image, 24);
}

// Three independent noises, one per channel, each at its own scale (red
// coarse, green medium, blue fine), all tileable.
void writeNoise(AssetWriter& out) {
    constexpr int kSize = 256;
    Field channels[3] = {noise::fbmField(kSize, 4, 4, 0.5f, 91),
                         noise::fbmField(kSize, 16, 3, 0.5f, 92),
                         noise::fbmField(kSize, 64, 2, 0.5f, 93)};
    for (Field& channel : channels) channel.normalize();
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            image.set(x, y, {channels[0].at(x, y), channels[1].at(x, y), channels[2].at(x, y)});
    out.tga("noise.tga", image, 24);
}

// A radial glow that reaches black at the edge of the square. `core` and
// `halo` are the radii (0..1) of the bright centre and of the soft falloff.
Image glow(int size, float core, float halo, float haloShare, const glm::vec3& inner,
           const glm::vec3& outer) {
    Image image(size, size);
    auto intensity = [&](float r) {
        return (1.0f - haloShare) * std::exp(-(r * r) / (core * core)) +
               haloShare * std::exp(-(r * r) / (halo * halo));
    };
    const float atEdge = intensity(1.0f);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const glm::vec2 p((x + 0.5f) / size * 2.0f - 1.0f, (y + 0.5f) / size * 2.0f - 1.0f);
            const float r = glm::length(p);
            const float i = std::max(0.0f, (intensity(r) - atEdge) / (1.0f - atEdge)) *
                            (1.0f - smoothstep(0.9f, 1.0f, r));
            image.set(x, y, glm::mix(outer, inner, smoothstep(0.2f, 0.9f, i)) * i);
        }
    return image;
}

}  // namespace

void writeFireTextures(AssetWriter& out) {
    writeFireLayer(out);
    writeNoise(out);
    out.tga("sunsprite.tga",
            glow(256, 0.12f, 0.45f, 0.45f, {1.0f, 0.97f, 0.9f}, {1.0f, 0.72f, 0.42f}), 24);
    out.tga("particle.tga", glow(64, 0.2f, 0.5f, 0.35f, {1.0f, 1.0f, 0.95f}, {1.0f, 0.62f, 0.22f}),
            24);
}
