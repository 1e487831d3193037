#pragma once
#include "app/audio/Crackles.h"
#include "app/audio/Hiss.h"
#include "app/audio/Lapping.h"
#include "app/audio/SoundMath.h"
#include "particles/ParticleMath.h"

struct Settings;

// The fire's sound, mono, synthesized sample by sample: lapping, hiss and
// crackles. It keeps the scene's time by its samples (each advances it by
// the time scale over the sample rate): the cracks follow the sparks'
// bursts as the scene clock emits them, one chance of a crack per burst,
// their random numbers from a sequence like the fire's own; and the level
// follows the fire light's flicker. Everything is decided per block of
// samples counted from the start, so the same settings give the same
// samples however the calls cut them.
class FireSynth {
public:
    // A burst's chance of a crack.
    static constexpr float kCrackleChance = 0.3f;

    // What it follows of the tuned scene: the sparks' interval, the
    // flicker's strength and the layers' levels (not the volume, which the
    // device applies).
    void follow(const Settings& settings);
    // Writes `count` samples, the scene's time running at `timeScale`.
    void render(float* out, int count, float timeScale);

    double sceneTime() const { return sceneTime_; }
    long bursts() const { return bursts_; }
    long crackles() const { return crackles_.started(); }

private:
    void renderBlock();

    Lapping lapping_;
    Hiss hiss_;
    Crackles crackles_;
    particles::RandomSequence random_;
    float block_[audio::kBlock] = {};
    int blockUsed_ = audio::kBlock;  // of block_, handed out already
    float timeScale_ = 1.0f;
    double sceneTime_ = 0.0;  // at the start of the next block
    // The sparks' emission accumulator, overdue at first as theirs is.
    float sinceBurst_ = 1e9f;
    long bursts_ = 0;
    float sparkInterval_ = 0.05f, flicker_ = 1.0f;
    float lappingLevel_ = 1.0f, hissLevel_ = 1.0f, crackleLevel_ = 1.0f;
};
