#pragma once

namespace game {

// Height of the terrain at world (x, z), read from a height field of
// mapWidth x mapDepth samples (row 0 at the low-z edge) that spans
// terrainWidth x terrainDepth centred on the origin. The nearest sample is
// taken, halves rounding away from zero; off the map, or without samples,
// the height is 0.
float terrainHeight(const float* samples, int mapWidth, int mapDepth, float terrainWidth,
                    float terrainDepth, float heightScale, float x, float z);

}  // namespace game
