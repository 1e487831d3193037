// The effigy's fire layer and noise, the sun glow and the spark sprite.
// All are 24-bit: the demo reads them through its RGB loaders, and the glow
// sprites are drawn additively, so black is transparent.
#include <algorithm>
#include <cmath>
#include <glm/gtc/noise.hpp>

#include "tools/Assets.h"
#include "tools/CharredBlocks.h"
#include "tools/Field.h"
#include "tools/Noise.h"

namespace {

using noise::smoothstep;

// The heat of the effigy's charred timber, laid over the same blocks as
// wood_burnt.jpg (the effigy samples both at one texture coordinate): red is
// the glow of the cracks, green the hot rims of the blocks beside them and a
// few ember spots on the blocks, blue each block's own phase for pulsing.
void writeFireLayer(AssetWriter& out) {
    constexpr int kSize = 1024;
    const CharredBlocks blocks(kSize);
    Image image(kSize, kSize);
    parallelRows(kSize, [&](int y) {
        for (int x = 0; x < kSize; ++x) {
            const CharSpot spot = blocks.at(x, y);
            // Not every crack is as deep: some glow fully, some barely.
            const float depth = 0.35f + 0.65f * noise::hash01(spot.strip, spot.block, 5);
            // A bright line in the crack with a glow that spills onto the
            // block edges, wide enough to survive the distant mip levels.
            auto glow = [](float to, float width) {
                return std::max(1.0f - smoothstep(0.0f, 1.5f * width, to),
                                0.45f * (1.0f - smoothstep(0.0f, 4.0f * width, to)));
            };
            const float crack = depth * std::max(glow(spot.toSide, spot.sideWidth),
                                                 glow(spot.toEnd, spot.endWidth));
            const float edge = std::min(spot.toSide, spot.toEnd * 0.8f);
            float rim = (1.0f - smoothstep(0.0f, 0.022f, edge)) * depth;
            if (noise::hash01(x / 3, y / 3, 84) < 0.004f) rim = std::max(rim, 0.8f);
            image.set(x, y, {crack, rim, noise::hash01(spot.strip, spot.block, 6)});
        }
    });
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
