#include "app/audio/Hiss.h"

#include "app/audio/SoundMath.h"

namespace {

constexpr float kCorner = 3500.0f;  // Hz
constexpr float kPace = 3.0f;       // envelope values a scene second
constexpr float kFloor = 0.05f;     // what is left between the peaks
constexpr float kOutput = 0.25f;

// Mostly low, now and then near 1: a smooth curve to the sixth power.
float peaked(double sceneTime) {
    const float s = audio::smoothNoise(sceneTime * kPace, 0x4155u);
    const float s3 = s * s * s;
    return kFloor + (1.0f - kFloor) * s3 * s3;
}

}  // namespace

Hiss::Hiss()
    : noise_(0x2b7f3u), high_(Biquad::highPass(kCorner, 0.707f, audio::kSampleRate)) {}

void Hiss::addBlock(float* block, double sceneTime, float level) {
    const float target = peaked(sceneTime);
    if (envelope_ < 0.0f) envelope_ = target;
    const float step = (target - envelope_) / audio::kBlock;
    for (int i = 0; i < audio::kBlock; ++i) {
        envelope_ += step;
        block[i] += level * kOutput * envelope_ * high_.process(noise_.next());
    }
    envelope_ = target;
}
