#pragma once
#include "app/audio/Biquad.h"
#include "app/audio/WhiteNoise.h"

// The low roar of the burning gases: noise kept below a few hundred hertz,
// its loudness wandering slowly with the scene's time, softly clipped so that
// its swells round off as flames do.
class Lapping {
public:
    Lapping();
    // Adds one block (audio::kBlock samples) starting at `sceneTime`.
    void addBlock(float* block, double sceneTime, float level);

private:
    WhiteNoise noise_;
    Biquad first_, second_;
    float modulation_ = -1.0f;  // the last block's, eased into the next
};
