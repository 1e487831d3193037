#pragma once
#include "app/audio/Biquad.h"
#include "app/audio/WhiteNoise.h"

// Vapour escaping the wood: noise above a few kilohertz, nearly silent but
// for rare peaks that come and go with the scene's time.
class Hiss {
public:
    Hiss();
    // Adds one block (audio::kBlock samples) starting at `sceneTime`.
    void addBlock(float* block, double sceneTime, float level);

private:
    WhiteNoise noise_;
    Biquad high_;
    float envelope_ = -1.0f;  // the last block's, eased into the next
};
