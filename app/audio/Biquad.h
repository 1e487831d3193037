#pragma once

// A second-order filter (the audio cookbook's low-pass, high-pass and
// band-pass), run in transposed direct form II.
class Biquad {
public:
    static Biquad lowPass(float frequency, float q, float sampleRate);
    static Biquad highPass(float frequency, float q, float sampleRate);
    // Unit gain at the centre: a resonance whose sharpness is q.
    static Biquad bandPass(float frequency, float q, float sampleRate);

    float process(float x) {
        const float y = b0_ * x + z1_;
        z1_ = b1_ * x - a1_ * y + z2_;
        z2_ = b2_ * x - a2_ * y;
        return y;
    }
    // Forgets the past input, keeping the response.
    void clear() { z1_ = z2_ = 0.0f; }

private:
    float b0_ = 1.0f, b1_ = 0.0f, b2_ = 0.0f, a1_ = 0.0f, a2_ = 0.0f;
    float z1_ = 0.0f, z2_ = 0.0f;

    static Biquad normalised(double b0, double b1, double b2, double a0, double a1, double a2);
};
