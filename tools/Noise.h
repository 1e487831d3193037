#pragma once
#include <cstdint>
#include <glm/glm.hpp>
#include <initializer_list>
#include <utility>

#include "tools/Field.h"

// Deterministic noise for the generator: integer hashes instead of random
// generators, and GLM's perlin/simplex noise shifted per seed. The fields and
// the cellular noise repeat over the unit square, for tileable textures.
namespace noise {

uint32_t hash(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0);
// Uniform in [0, 1).
float hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0);
// A far-away offset that decorrelates layers that share a noise function.
glm::vec2 seedOffset(uint32_t seed);

// Fractal sums of periodic perlin noise over a size x size grid (pixel
// centres): `frequency` cells across the tile for the first octave, doubling
// per octave. fbmField is roughly -1..1; ridgedField is 0..1 with sharp
// creases (1) where the noise crosses zero. Octaves with few cells are
// computed on a coarser grid and interpolated, which keeps large textures fast.
Field fbmField(int size, int frequency, int octaves, float gain, uint32_t seed);
Field ridgedField(int size, int frequency, int octaves, float gain, uint32_t seed);

// Periodic cellular noise: `cells` x `cells` cells, one jittered point each.
struct Cell {
    float f1 = 0.0f;   // distance to the nearest point, in cell units
    float f2 = 0.0f;   // distance to the second nearest
    glm::ivec2 id{0};  // the nearest point's cell, wrapped into the tile
};
Cell tileWorley(glm::vec2 uv, glm::ivec2 cells, uint32_t seed, float jitter = 1.0f);

// Non-periodic fractal simplex noise, roughly -1..1.
float fbm(glm::vec3 p, int octaves, float gain, uint32_t seed);

// Piecewise-linear colour ramp over sorted stops.
glm::vec3 ramp(float t, std::initializer_list<std::pair<float, glm::vec3>> stops);

float smoothstep(float edge0, float edge1, float x);

}  // namespace noise
