#include "game/Terrain.h"

namespace game {

namespace {

// Truncation after adding or subtracting one half: halves go away from zero.
int roundAwayFromZero(float value) {
    return value >= 0.0f ? static_cast<int>(value + 0.5f) : static_cast<int>(value - 0.5f);
}

}  // namespace

float terrainHeight(const float* samples, int mapWidth, int mapDepth, float terrainWidth,
                    float terrainDepth, float heightScale, float x, float z) {
    if (samples == nullptr) return 0.0f;
    const float u = (terrainWidth * 0.5f + x) / terrainWidth;
    const float v = (terrainDepth * 0.5f + z) / terrainDepth;
    const float columnF = static_cast<float>(mapWidth) * u;
    const float rowF = static_cast<float>(mapDepth) * v;
    // Far off the map (or NaN) the integer conversion itself would be undefined.
    if (!(columnF > -1.0f && columnF < mapWidth + 1.0f && rowF > -1.0f && rowF < mapDepth + 1.0f))
        return 0.0f;
    const int column = roundAwayFromZero(columnF);
    const int row = roundAwayFromZero(rowF);
    if (column >= mapWidth || column < 0 || row >= mapDepth || row < 0) return 0.0f;
    return samples[row * mapWidth + column] * heightScale;
}

}  // namespace game
