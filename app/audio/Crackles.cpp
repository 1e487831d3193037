#include "app/audio/Crackles.h"

#include <algorithm>
#include <cmath>

#include "app/audio/SoundMath.h"

namespace {

constexpr float kLowestPitch = 400.0f;  // Hz
constexpr float kOctaves = 3.5f;        // pitches spread over, up from the lowest
constexpr float kShortest = 0.002f, kLongest = 0.03f;  // seconds
constexpr float kSharpness = 6.0f;      // the resonance's q
// A narrow band of noise is quiet; this brings a crack's peak near 1.
constexpr float kGain = 10.0f;

float unit(int draw) { return static_cast<float>(draw & 0x7fff) / 32767.0f; }

}  // namespace

Crackles::Crackles() : noise_(0x3c1d7u) {}

void Crackles::start(int delay, int pitchDraw, int lengthDraw, int loudnessDraw) {
    Voice* voice = &voices_[0];
    for (Voice& v : voices_) {
        if (v.remaining < voice->remaining) voice = &v;
    }
    const float pitch = kLowestPitch * std::exp2(kOctaves * unit(pitchDraw));
    // Short cracks far more often than long ones.
    const float u = unit(lengthDraw);
    const float seconds = kShortest + (kLongest - kShortest) * u * u;
    voice->delay = delay;
    voice->remaining = std::max(1, static_cast<int>(seconds * audio::kSampleRate));
    // Down by 60 dB over the crack's length.
    voice->decay = std::exp(std::log(0.001f) / static_cast<float>(voice->remaining));
    voice->amplitude = kGain * (0.2f + 0.8f * unit(loudnessDraw));
    voice->resonance = Biquad::bandPass(pitch, kSharpness, audio::kSampleRate);
    ++started_;
}

void Crackles::addBlock(float* block, float level) {
    for (Voice& v : voices_) {
        if (v.remaining == 0) continue;
        int i = v.delay;
        v.delay = 0;
        for (; i < audio::kBlock && v.remaining > 0; ++i, --v.remaining) {
            block[i] += level * v.amplitude * v.resonance.process(noise_.next());
            v.amplitude *= v.decay;
        }
    }
}
