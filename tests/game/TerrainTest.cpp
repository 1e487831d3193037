#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "game/Terrain.h"

namespace {

// A 128 x 128 map whose sample at (column, row) is column + 1000 * row, so a
// height names the sample it came from.
struct NumberedMap {
    std::vector<float> samples = std::vector<float>(128 * 128);
    NumberedMap() {
        for (int row = 0; row < 128; ++row)
            for (int column = 0; column < 128; ++column)
                samples[row * 128 + column] = static_cast<float>(column + 1000 * row);
    }
    float at(float x, float z, float scale = 1.0f) const {
        return game::terrainHeight(samples.data(), 128, 128, 128.0f, 128.0f, scale, x, z);
    }
};

}  // namespace

TEST(Terrain, OriginReadsRow64Column64) {
    NumberedMap map;
    EXPECT_EQ(map.at(0.0f, 0.0f), 64.0f + 64000.0f);
    EXPECT_EQ(map.at(1.0f, -2.0f), 65.0f + 62000.0f);
}

TEST(Terrain, ColumnZeroIsAtMinus64AndRowZeroIsTheLowZEdge) {
    NumberedMap map;
    EXPECT_EQ(map.at(-64.0f, -64.0f), 0.0f + 0.0f);
    EXPECT_EQ(map.at(-64.3f, 0.0f), 0.0f + 64000.0f);
    EXPECT_EQ(map.at(63.0f, 63.0f), 127.0f + 127000.0f);
}

TEST(Terrain, HalvesRoundAwayFromZero) {
    NumberedMap map;
    // -63.5 gives column 0.5, which rounds up to 1; 62.5 gives 126.5 -> 127.
    EXPECT_EQ(map.at(-63.5f, 0.0f), 1.0f + 64000.0f);
    EXPECT_EQ(map.at(62.5f, 0.0f), 127.0f + 64000.0f);
    EXPECT_EQ(map.at(0.0f, -63.5f), 64.0f + 1000.0f);
    EXPECT_EQ(map.at(0.49f, 0.0f), 64.0f + 64000.0f);
}

TEST(Terrain, OffTheMapIsZero) {
    NumberedMap map;
    EXPECT_EQ(map.at(63.5f, 0.0f), 0.0f);
    EXPECT_EQ(map.at(-64.6f, 0.0f), 0.0f);
    EXPECT_EQ(map.at(0.0f, 63.5f), 0.0f);
    EXPECT_EQ(map.at(0.0f, -64.6f), 0.0f);
    EXPECT_EQ(map.at(1e30f, 0.0f), 0.0f);
    EXPECT_EQ(map.at(0.0f, -1e30f), 0.0f);
    EXPECT_EQ(map.at(std::numeric_limits<float>::quiet_NaN(), 0.0f), 0.0f);
    EXPECT_EQ(map.at(0.0f, std::numeric_limits<float>::infinity()), 0.0f);
}

TEST(Terrain, ScalesTheSampleAndNeedsSamples) {
    NumberedMap map;
    EXPECT_FLOAT_EQ(map.at(0.0f, 0.0f, 10.0f), 640640.0f);
    EXPECT_EQ(game::terrainHeight(nullptr, 128, 128, 128.0f, 128.0f, 10.0f, 0.0f, 0.0f), 0.0f);
}

TEST(Terrain, UniformMapGivesTheSameHeightEverywhereOnIt) {
    const std::vector<float> samples(128 * 128, 0.25f);
    for (float x : {-64.0f, -2.5f, 0.0f, 40.0f, 63.4f})
        EXPECT_FLOAT_EQ(
            game::terrainHeight(samples.data(), 128, 128, 128.0f, 128.0f, 10.0f, x, x * 0.5f),
            2.5f);
}
