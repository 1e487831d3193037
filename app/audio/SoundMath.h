#pragma once
#include <cstdint>

// The small decisions of the fire's sound that the layers and the device share.
namespace audio {

constexpr int kSampleRate = 44100;
// The layers' control rate: envelopes, modulation and the bursts are decided
// once per block of this many samples, blocks counted from the first sample,
// so that a sound rendered in any pieces is the same sound.
constexpr int kBlock = 32;

// A smooth random curve over t, in [0, 1]: a value drawn per whole t,
// eased between neighbours. The same t and seed give the same value.
float smoothNoise(double t, std::uint32_t seed);

// Rounds a loud peak off instead of cutting it: tanh-like, odd, slope 1 at
// 0, never past +-1.
float softClip(float x);

// The samples that belong to the time from `from` to `to` seconds (each
// time rounded to its nearest sample): the counts of consecutive spans add
// up to the count of the whole.
long long samplesBetween(double from, double to);

// The sound's level from the fire light's flicker: 1 at the flicker's mean.
float flickerLevel(double sceneTime, float strength);

}  // namespace audio
