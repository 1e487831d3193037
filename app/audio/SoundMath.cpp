#include "app/audio/SoundMath.h"

#include <cmath>

#include "render/Lighting.h"

namespace audio {

namespace {

// An integer hash (the "lowbias32" mix) onto [0, 1].
float hashUnit(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return static_cast<float>(x >> 8) * (1.0f / 16777215.0f);
}

}  // namespace

float smoothNoise(double t, std::uint32_t seed) {
    const double whole = std::floor(t);
    const auto step = static_cast<std::uint32_t>(static_cast<std::int64_t>(whole));
    const float f = static_cast<float>(t - whole);
    const float eased = f * f * (3.0f - 2.0f * f);
    const float a = hashUnit(step * 0x9e3779b9u ^ seed);
    const float b = hashUnit((step + 1u) * 0x9e3779b9u ^ seed);
    return a + (b - a) * eased;
}

float softClip(float x) {
    if (x >= 3.0f) return 1.0f;
    if (x <= -3.0f) return -1.0f;
    const float x2 = x * x;
    return x * (27.0f + x2) / (27.0f + 9.0f * x2);
}

long long samplesBetween(double from, double to) {
    // To the nearest sample: a time summed from frames lands a hair either
    // side of the sample it means.
    return std::llround(to * kSampleRate) - std::llround(from * kSampleRate);
}

float flickerLevel(double sceneTime, float strength) {
    return lighting::flicker(sceneTime, strength, 1.0f) / 4.0f;
}

}  // namespace audio
