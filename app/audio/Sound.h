#pragma once
#include <glm/glm.hpp>
#include <chrono>
#include <memory>
#include <string>

#include "app/audio/FireSynth.h"
#include "app/audio/SoundDevice.h"
#include "app/audio/WavWriter.h"

struct Settings;

// The fire's sound for the run, the game's record beside the engine: the
// synthesizer, the device it plays on (the speakers, or with --audio-out a
// mix rendered frame by frame into a WAV file) and the mute switch (M).
class Sound {
public:
    bool muted = false;  // M, --mute

    // The speakers, or the recording into `wavPath`. Without speakers the
    // demo says so in one line and stays silent; a recording that cannot be
    // made is an error, its text returned (empty: none).
    std::string start(const std::string& wavPath);
    // One drawn frame: the synthesizer follows the settings, the listener
    // the camera and the source the fire. The speakers' queue is topped up;
    // a recording gets the mix of the frame's time, from `timeBefore` to
    // `timeAfter` seconds of the run.
    void frame(const Settings& settings, float timeScale, double timeBefore, double timeAfter,
               const glm::vec3& eye, const glm::vec3& direction, const glm::vec3& up,
               const glm::vec3& fire);
    // Silent while the demo is paused (a minimised window).
    void pause();
    // The recording's file completed; false where it could not be written.
    bool finish();
    bool on() const { return device_ != nullptr; }
    // The mean time of frame() on the calling thread: synthesis, and a
    // recording's mix (the speakers mix on the library's own thread).
    double millisecondsPerFrame() const {
        return framesTimed_ > 0 ? 1000.0 * secondsTimed_ / static_cast<double>(framesTimed_) : 0.0;
    }

private:
    // frame()'s work, timed by it.
    void hear(const Settings& settings, float timeScale, double timeBefore, double timeAfter,
              const glm::vec3& eye, const glm::vec3& direction, const glm::vec3& up,
              const glm::vec3& fire);
    // The next buffer's worth of the synthesizer, queued.
    void queueAhead(float timeScale);

    FireSynth synth_;
    std::unique_ptr<SoundDevice> device_;
    WavWriter wav_;
    bool recording_ = false;
    long long ahead_ = 0;  // a recording's samples queued and not yet mixed
    long framesHeard_ = 0;
    double secondsTimed_ = 0.0;
    long framesTimed_ = 0;
    float mono_[SoundDevice::kBufferSamples] = {};
    float stereo_[2 * SoundDevice::kBufferSamples] = {};
};
