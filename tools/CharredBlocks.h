#pragma once
#include <cstdint>
#include <vector>

#include "tools/Field.h"

// The layout of the charred timber tile (1 m across by 2 m along the grain):
// strips along the grain, each cut into blocks by cracks across it. The wood
// texture darkens the cracks and the effigy's fire layer makes the same
// cracks glow, so both read it from here.
struct CharSpot {
    float toSide = 0.0f;     // metres to the nearest crack along the grain
    float toEnd = 0.0f;      // metres to the nearest crack across the grain
    float sideWidth = 0.0f;  // half width of that crack along the grain
    float endWidth = 0.0f;   // half width of that crack across the grain
    uint32_t strip = 0;      // the strip's hash
    int block = 0;           // the block within its strip
};

class CharredBlocks {
public:
    // For a tile of size x size pixels.
    explicit CharredBlocks(int size);
    CharSpot at(int x, int y) const;

private:
    int size_;
    Field drift_;
    Field bend_;
    std::vector<float> strips_;
    std::vector<std::vector<float>> rungs_;  // the cross cracks of each strip
};
