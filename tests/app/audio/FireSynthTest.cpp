#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <vector>

#include "app/audio/FireSynth.h"
#include "game/Settings.h"

namespace {

struct Levels {
    float lapping, hiss, crackles;
};

Settings withLevels(Levels levels) {
    Settings settings;
    settings.sound.lapping = levels.lapping;
    settings.sound.hiss = levels.hiss;
    settings.sound.crackles = levels.crackles;
    return settings;
}

std::vector<float> render(const Settings& settings, double seconds, float timeScale = 1.0f) {
    FireSynth synth;
    synth.follow(settings);
    std::vector<float> out(static_cast<size_t>(audio::samplesBetween(0.0, seconds)));
    synth.render(out.data(), static_cast<int>(out.size()), timeScale);
    return out;
}

double rmsDecibels(const std::vector<float>& samples, size_t from = 0) {
    double sum = 0.0;
    for (size_t i = from; i < samples.size(); ++i) sum += double(samples[i]) * samples[i];
    const double rms = std::sqrt(sum / double(samples.size() - from));
    return rms > 0.0 ? 20.0 * std::log10(rms) : -1000.0;
}

// In-place radix-2 transform, for the bands' energy.
void fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -2.0 * 3.141592653589793 / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1.0;
            for (size_t k = 0; k < len / 2; ++k, wk *= w) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

// The share of the energy below 400 Hz, between 400 Hz and 3 kHz, above 3 kHz.
std::array<double, 3> bandShares(const std::vector<float>& samples) {
    constexpr size_t kWindow = 4096;
    std::array<double, 3> energy{};
    for (size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
        std::vector<std::complex<double>> a(kWindow);
        for (size_t i = 0; i < kWindow; ++i) a[i] = samples[start + i];
        fft(a);
        for (size_t k = 1; k < kWindow / 2; ++k) {
            const double hz = double(k) * audio::kSampleRate / kWindow;
            energy[hz < 400.0 ? 0 : hz < 3000.0 ? 1 : 2] += std::norm(a[k]);
        }
    }
    const double total = energy[0] + energy[1] + energy[2];
    for (double& e : energy) e /= total;
    return energy;
}

struct LayerCase {
    const char* name;
    Levels levels;
    double quietestDb, loudestDb;  // RMS over four seconds
    double leastCrestDb;           // peak over RMS: cracks and rare peaks stand out
    int band;                      // 0 low, 1 middle, 2 high
    double leastShare;             // of the energy in that band
};

const LayerCase kLayers[] = {
    {"lapping", {1, 0, 0}, -24.0, -14.0, 6.0, 0, 0.95},
    {"hiss", {0, 1, 0}, -34.0, -20.0, 14.0, 2, 0.95},
    {"crackles", {0, 0, 1}, -38.0, -27.0, 24.0, 1, 0.6},
    {"all three", {1, 1, 1}, -22.0, -14.0, 10.0, 0, 0.6},
};

TEST(FireSynth, EachLayerAtItsLevelAndInItsBand) {
    for (const LayerCase& c : kLayers) {
        SCOPED_TRACE(c.name);
        const std::vector<float> samples = render(withLevels(c.levels), 4.0);
        const double db = rmsDecibels(samples);
        EXPECT_GE(db, c.quietestDb);
        EXPECT_LE(db, c.loudestDb);
        float peak = 0.0f;
        for (float s : samples) peak = std::max(peak, std::fabs(s));
        EXPECT_GE(20.0 * std::log10(peak) - db, c.leastCrestDb);
        EXPECT_GE(bandShares(samples)[static_cast<size_t>(c.band)], c.leastShare);
        // Half the level is half the amplitude, 6 dB down (the clip aside).
        const Levels half{c.levels.lapping / 2, c.levels.hiss / 2, c.levels.crackles / 2};
        EXPECT_NEAR(rmsDecibels(render(withLevels(half), 4.0)), db - 6.0, 1.0);
    }
    EXPECT_EQ(rmsDecibels(render(withLevels({0, 0, 0}), 1.0)), -1000.0);
}

struct RateCase {
    float sparkInterval, timeScale;
    double seconds;
};

TEST(FireSynth, CracksFollowTheSparksBursts) {
    const RateCase cases[] = {{0.05f, 1.0f, 20.0}, {0.025f, 1.0f, 20.0}, {0.05f, 0.5f, 20.0},
                              {0.2f, 2.0f, 20.0}};
    for (const RateCase& c : cases) {
        SCOPED_TRACE(c.sparkInterval);
        SCOPED_TRACE(c.timeScale);
        Settings settings;
        settings.particles[0].interval = c.sparkInterval;
        FireSynth synth;
        synth.follow(settings);
        std::vector<float> out(static_cast<size_t>(audio::samplesBetween(0.0, c.seconds)));
        synth.render(out.data(), static_cast<int>(out.size()), c.timeScale);
        // Every burst the sparks make in that scene time, the first at once.
        const double expected = c.seconds * c.timeScale / c.sparkInterval;
        EXPECT_NEAR(double(synth.bursts()), expected, 2.0);
        EXPECT_NEAR(double(synth.crackles()) / double(synth.bursts()), FireSynth::kCrackleChance,
                    0.05);
    }
}

TEST(FireSynth, TheSameSamplesAtAnyFrameRate) {
    const double kSeconds = 3.0;
    const Settings settings;
    for (float timeScale : {1.0f, 0.3f}) {
        const std::vector<float> whole = render(settings, kSeconds, timeScale);
        for (double frame : {1.0 / 200.0, 1.0 / 8.0, 1.0 / 61.0}) {
            SCOPED_TRACE(frame);
            FireSynth synth;
            synth.follow(settings);
            std::vector<float> framed;
            std::vector<float> piece;
            const int frames = int(std::ceil(kSeconds / frame - 1e-9));
            for (int i = 0; i < frames; ++i) {
                const double to = std::min((i + 1) * frame, kSeconds);
                piece.resize(size_t(audio::samplesBetween(i * frame, to)));
                synth.render(piece.data(), int(piece.size()), timeScale);
                framed.insert(framed.end(), piece.begin(), piece.end());
            }
            ASSERT_EQ(framed.size(), whole.size());
            EXPECT_TRUE(framed == whole);
        }
    }
}

TEST(FireSynth, AFrozenSceneStopsTheCracks) {
    const Settings cracklesOnly = withLevels({0, 0, 1});
    // Frozen from the start: no burst, not a sample.
    FireSynth frozen;
    frozen.follow(cracklesOnly);
    std::vector<float> out(size_t(audio::kSampleRate));
    frozen.render(out.data(), int(out.size()), 0.0f);
    EXPECT_EQ(frozen.bursts(), 0);
    EXPECT_EQ(rmsDecibels(out), -1000.0);

    // Frozen after two seconds: the cracks under way ring out (30 ms at
    // most), then silence; the roar goes on, unchanging.
    FireSynth stopped;
    stopped.follow(cracklesOnly);
    stopped.render(out.data(), int(out.size()), 1.0f);
    const long started = stopped.crackles();
    EXPECT_GT(started, 0);
    stopped.render(out.data(), int(out.size()), 0.0f);
    EXPECT_EQ(stopped.crackles(), started);
    EXPECT_EQ(rmsDecibels(out, size_t(audio::kSampleRate / 20)), -1000.0);

    EXPECT_GT(rmsDecibels(render(withLevels({1, 0, 0}), 1.0, 0.0f)), -40.0);
}

}  // namespace
