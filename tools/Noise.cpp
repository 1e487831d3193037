#include "tools/Noise.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/noise.hpp>
#include <vector>

namespace noise {

uint32_t hash(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    // Odd multipliers per argument, then a full avalanche of the sum.
    uint32_t h = a * 0x8DA6B343u ^ b * 0xD8163841u ^ c * 0xCB1AB31Fu ^ d * 0x165667B1u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hash01(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    return static_cast<float>(hash(a, b, c, d) >> 8) * (1.0f / 16777216.0f);
}

glm::vec2 seedOffset(uint32_t seed) {
    // Golden-ratio steps: cheap, and far enough apart to decorrelate.
    const float a = static_cast<float>((seed * 2654435761u) >> 8) * (1.0f / 16777216.0f);
    const float b =
        static_cast<float>((seed * 2246822519u + 374761393u) >> 8) * (1.0f / 16777216.0f);
    return glm::vec2(a, b) * 512.0f;
}

namespace {

// One octave of periodic noise at `frequency` cells, on a grid of 8 samples
// per cell (bilinear interpolation of that is smooth enough), or at the full
// size when that is finer.
Field octave(int size, int frequency, uint32_t seed, bool ridged) {
    const int resolution = std::min(size, 8 * frequency);
    Field coarse(resolution, resolution);
    const float f = static_cast<float>(frequency);
    const glm::vec2 offset = seedOffset(seed);
    coarse.fill([&](float u, float v) {
        const float n = glm::perlin(glm::vec2(u, v) * f + offset, glm::vec2(f));
        if (!ridged) return n;
        const float r = 1.0f - std::abs(n);
        return r * r;
    });
    if (resolution == size) return coarse;
    // Upsample: the same source columns and weights serve every row.
    const float step = static_cast<float>(resolution) / size;
    std::vector<int> x0(size), x1(size);
    std::vector<float> tx(size);
    for (int x = 0; x < size; ++x) {
        const float p = (x + 0.5f) * step - 0.5f;
        const int i = static_cast<int>(std::floor(p));
        tx[x] = p - i;
        x0[x] = (i + resolution) % resolution;
        x1[x] = (i + 1) % resolution;
    }
    Field full(size, size);
    parallelRows(size, [&](int y) {
        const float p = (y + 0.5f) * step - 0.5f;
        const int i = static_cast<int>(std::floor(p));
        const float ty = p - i;
        const int y0 = (i + resolution) % resolution;
        const int y1 = (i + 1) % resolution;
        for (int x = 0; x < size; ++x) {
            const float top = coarse.at(x0[x], y0) * (1.0f - tx[x]) + coarse.at(x1[x], y0) * tx[x];
            const float bottom =
                coarse.at(x0[x], y1) * (1.0f - tx[x]) + coarse.at(x1[x], y1) * tx[x];
            full.at(x, y) = top * (1.0f - ty) + bottom * ty;
        }
    });
    return full;
}

Field octaveSum(int size, int frequency, int octaves, float gain, uint32_t seed, bool ridged) {
    Field sum(size, size);
    float amplitude = 1.0f;
    float norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        const Field layer = octave(size, frequency << o, seed + o, ridged);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) sum.at(x, y) += amplitude * layer.at(x, y);
        norm += amplitude;
        amplitude *= gain;
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) sum.at(x, y) /= norm;
    return sum;
}

}  // namespace

Field fbmField(int size, int frequency, int octaves, float gain, uint32_t seed) {
    return octaveSum(size, frequency, octaves, gain, seed, false);
}

Field ridgedField(int size, int frequency, int octaves, float gain, uint32_t seed) {
    return octaveSum(size, frequency, octaves, gain, seed, true);
}

Cell tileWorley(glm::vec2 uv, glm::ivec2 cells, uint32_t seed, float jitter) {
    const glm::vec2 p = uv * glm::vec2(cells);
    const glm::ivec2 base(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
    Cell cell;
    cell.f1 = cell.f2 = 1e9f;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const glm::ivec2 c = base + glm::ivec2(dx, dy);
            const glm::ivec2 wrappedId((c.x % cells.x + cells.x) % cells.x,
                                       (c.y % cells.y + cells.y) % cells.y);
            const uint32_t h = hash(seed, wrappedId.x, wrappedId.y);
            // Two 16-bit halves of the hash place the point within its cell.
            const glm::vec2 shift =
                glm::vec2(static_cast<float>(h & 0xFFFFu), static_cast<float>(h >> 16)) / 65536.0f;
            const glm::vec2 point = glm::vec2(c) + 0.5f + (shift - 0.5f) * jitter;
            const float d = glm::length(point - p);
            if (d < cell.f1) {
                cell.f2 = cell.f1;
                cell.f1 = d;
                cell.id = wrappedId;
            } else if (d < cell.f2) {
                cell.f2 = d;
            }
        }
    return cell;
}

float fbm(glm::vec3 p, int octaves, float gain, uint32_t seed) {
    const glm::vec2 offset = seedOffset(seed);
    const glm::vec3 shift(offset.x, offset.y, offset.x * 0.37f);
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * glm::simplex(p + shift * static_cast<float>(o + 1));
        norm += amplitude;
        amplitude *= gain;
        p *= 2.0f;
    }
    return sum / norm;
}

glm::vec3 ramp(float t, std::initializer_list<std::pair<float, glm::vec3>> stops) {
    const auto* first = stops.begin();
    if (t <= first->first) return first->second;
    for (const auto* s = first + 1; s != stops.end(); ++s) {
        if (t <= s->first) {
            const auto* prev = s - 1;
            const float k = (t - prev->first) / std::max(s->first - prev->first, 1e-6f);
            return glm::mix(prev->second, s->second, k);
        }
    }
    return (stops.end() - 1)->second;
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace noise
