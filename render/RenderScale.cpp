#include "render/RenderScale.h"

#include <algorithm>
#include <cmath>

namespace renderscale {

namespace {

float clamped(float scale) { return std::clamp(scale, kMin, kMax); }

int scaled(unsigned size, float scale) {
    if (size == 0) return 0;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(size) * scale)));
}

}  // namespace

Size scaledSize(unsigned width, unsigned height, float scale) {
    const float s = clamped(scale);
    return {scaled(width, s), scaled(height, s)};
}

}  // namespace renderscale

namespace {

// The scale on the target's grid of steps from kMin, `steps` steps away.
float onGrid(float scale, int steps) {
    using namespace renderscale;
    const int top = static_cast<int>(std::lround((kMax - kMin) / kStep));
    const int at = static_cast<int>(std::lround((scale - kMin) / kStep));
    return kMin + static_cast<float>(std::clamp(at + steps, 0, top)) * kStep;
}

}  // namespace

RenderScale::RenderScale(float scale, int targetFps) {
    setScale(scale);
    setTarget(targetFps);
}

void RenderScale::setScale(float scale) {
    scale_ = std::clamp(scale, renderscale::kMin, renderscale::kMax);
    blockedFor_ = 0.0;
}

void RenderScale::setTarget(int framesPerSecond) {
    target_ = std::max(framesPerSecond, 0);
    window_.clear();
    windowSeconds_ = 0.0;
    verdict_ = 0;
    blockedAt_ = 2.0f;
    blockedFor_ = 0.0;
    blockSeconds_ = kBlockSeconds;
}

void RenderScale::frameDone(double seconds) {
    if (target_ == 0 || !(seconds > 0.0)) return;
    blockedFor_ = std::max(0.0, blockedFor_ - seconds);
    window_.push_back(seconds);
    windowSeconds_ += seconds;
    if (windowSeconds_ < kWindowSeconds || window_.size() < kWindowFrames) return;
    std::nth_element(window_.begin(), window_.begin() + window_.size() / 2, window_.end());
    const double median = window_[window_.size() / 2];
    window_.clear();
    windowSeconds_ = 0.0;
    decide(median);
}

void RenderScale::decide(double median) {
    const double budget = 1.0 / target_;
    const int verdict = median > kSlow * budget ? -1 : median < kFast * budget ? 1 : 0;
    const bool agreed = verdict != 0 && verdict == verdict_;
    verdict_ = agreed ? 0 : verdict;  // a change starts the count again
    if (!agreed) return;
    if (verdict < 0) {
        if (scale_ <= renderscale::kMin) return;  // the least it can do
        // The pixels' share of the frame shrinks with the scale squared: aim
        // where a frame of pixels alone would fit, but at most three steps
        // at a time, since the rest of the frame does not shrink.
        const double aim = scale_ * std::sqrt(budget / median);
        const int steps = std::clamp(
            static_cast<int>(std::ceil((scale_ - aim) / renderscale::kStep - 1e-6)), 1, 3);
        const bool again = std::abs(scale_ - blockedAt_) < renderscale::kStep / 2;
        blockSeconds_ = again ? std::min(2.0 * blockSeconds_, kLongestBlock) : kBlockSeconds;
        blockedAt_ = scale_;
        blockedFor_ = blockSeconds_;
        scale_ = std::min(scale_, onGrid(scale_, -steps));
    } else {
        const float up = std::max(scale_, onGrid(scale_, 1));
        if (blockedFor_ > 0.0 && up >= blockedAt_ - renderscale::kStep / 2) return;
        scale_ = up;
    }
}
