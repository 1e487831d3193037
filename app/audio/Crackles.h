#pragma once
#include <array>

#include "app/audio/Biquad.h"
#include "app/audio/WhiteNoise.h"

// The wood's cracks: each a short burst of noise through a resonance of its
// own pitch, length and loudness. A fixed set of voices, so starting one
// never allocates; a crack with every voice busy takes the nearest done.
class Crackles {
public:
    static constexpr int kVoices = 24;

    Crackles();
    // One crack `delay` samples into the next block (0 ... audio::kBlock - 1),
    // its pitch, length and loudness each from one random draw (0 ... 32767).
    void start(int delay, int pitchDraw, int lengthDraw, int loudnessDraw);
    // Adds one block (audio::kBlock samples).
    void addBlock(float* block, float level);
    long started() const { return started_; }

private:
    struct Voice {
        int delay = 0;
        int remaining = 0;  // samples left; 0: free
        float amplitude = 0.0f;
        float decay = 1.0f;  // the envelope's factor per sample
        Biquad resonance;
    };
    std::array<Voice, kVoices> voices_;
    WhiteNoise noise_;
    long started_ = 0;
};
