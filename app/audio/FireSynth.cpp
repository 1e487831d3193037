#include "app/audio/FireSynth.h"

#include <algorithm>
#include <cmath>

#include "game/Settings.h"

void FireSynth::follow(const Settings& settings) {
    sparkInterval_ = settings.particles[0].interval;
    flicker_ = settings.fireLight.flicker;
    lappingLevel_ = settings.sound.lapping;
    hissLevel_ = settings.sound.hiss;
    crackleLevel_ = settings.sound.crackles;
}

void FireSynth::render(float* out, int count, float timeScale) {
    timeScale_ = std::isfinite(timeScale) ? std::max(timeScale, 0.0f) : 0.0f;
    while (count > 0) {
        if (blockUsed_ == audio::kBlock) renderBlock();
        const int n = std::min(count, audio::kBlock - blockUsed_);
        std::copy(block_ + blockUsed_, block_ + blockUsed_ + n, out);
        blockUsed_ += n;
        out += n;
        count -= n;
    }
}

void FireSynth::renderBlock() {
    const double blockSeconds = static_cast<double>(audio::kBlock) / audio::kSampleRate;
    const auto sceneStep = static_cast<float>(blockSeconds * timeScale_);
    // The sparks' bursts of this block, each crack at its burst's sample.
    // A frozen scene emits nothing, not even an overdue burst.
    particles::EmissionPlan plan;
    if (sceneStep > 0.0f) {
        plan = particles::planEmission(sinceBurst_, sceneStep, sparkInterval_);
        sinceBurst_ = plan.elapsedTime;
    }
    for (int b = 0; b < plan.bursts; ++b) {
        ++bursts_;
        if (random_.next() >= static_cast<int>(kCrackleChance * 32768.0f)) continue;
        const float intoBlock = 1.0f - plan.age(b) / sceneStep;
        const int delay = std::clamp(static_cast<int>(intoBlock * audio::kBlock), 0, audio::kBlock - 1);
        const int pitch = random_.next();
        const int length = random_.next();
        crackles_.start(delay, pitch, length, random_.next());
    }
    std::fill(block_, block_ + audio::kBlock, 0.0f);
    const float level = audio::flickerLevel(sceneTime_, flicker_);
    lapping_.addBlock(block_, sceneTime_, level * lappingLevel_);
    hiss_.addBlock(block_, sceneTime_, level * hissLevel_);
    crackles_.addBlock(block_, level * crackleLevel_);
    for (float& sample : block_) sample = std::clamp(sample, -1.0f, 1.0f);
    sceneTime_ += static_cast<double>(sceneStep);
    blockUsed_ = 0;
}
