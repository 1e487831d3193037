#include "app/audio/Lapping.h"

#include "app/audio/SoundMath.h"

namespace {

constexpr float kCorner = 160.0f;    // Hz: the roar's top
constexpr float kFlutter = 2.5f;     // swells a scene second
constexpr float kDrive = 14.0f;      // brings the filtered noise up to the clipping knee
constexpr float kOutput = 0.35f;

}  // namespace

Lapping::Lapping()
    : noise_(0x1a9e5u),
      first_(Biquad::lowPass(kCorner, 0.707f, audio::kSampleRate)),
      second_(Biquad::lowPass(2.0f * kCorner, 0.707f, audio::kSampleRate)) {}

void Lapping::addBlock(float* block, double sceneTime, float level) {
    const float target = 0.25f + 0.75f * audio::smoothNoise(sceneTime * kFlutter, 0x51u);
    if (modulation_ < 0.0f) modulation_ = target;
    const float step = (target - modulation_) / audio::kBlock;
    for (int i = 0; i < audio::kBlock; ++i) {
        modulation_ += step;
        const float low = second_.process(first_.process(noise_.next()));
        block[i] += level * kOutput * audio::softClip(kDrive * modulation_ * low);
    }
    modulation_ = target;
}
