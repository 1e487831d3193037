#include "app/audio/Sound.h"

#include <algorithm>
#include <cstdio>

#include "game/Settings.h"

std::string Sound::start(const std::string& wavPath) {
    recording_ = !wavPath.empty();
    if (recording_) {
        device_ = SoundDevice::openRecording();
        if (device_ == nullptr) return "this build cannot record the sound (no loopback mix)";
        if (!wav_.open(wavPath, audio::kSampleRate)) {
            device_.reset();
            return "cannot write the sound to " + wavPath;
        }
        return "";
    }
    device_ = SoundDevice::openSpeakers();
    if (device_ == nullptr) {
        std::printf(SoundDevice::inThisBuild() ? "Sound: off, no audio device\n"
                                               : "Sound: off, not in this build\n");
        std::fflush(stdout);
    }
    return "";
}

void Sound::queueAhead(float timeScale) {
    synth_.render(mono_, SoundDevice::kBufferSamples, timeScale);
    device_->queue(mono_, SoundDevice::kBufferSamples);
}

void Sound::frame(const Settings& settings, float timeScale, double timeBefore, double timeAfter,
                  const glm::vec3& eye, const glm::vec3& direction, const glm::vec3& up,
                  const glm::vec3& fire) {
    if (device_ == nullptr) return;
    const auto begun = std::chrono::steady_clock::now();
    hear(settings, timeScale, timeBefore, timeAfter, eye, direction, up, fire);
    secondsTimed_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    ++framesTimed_;
}

void Sound::hear(const Settings& settings, float timeScale, double timeBefore, double timeAfter,
                 const glm::vec3& eye, const glm::vec3& direction, const glm::vec3& up,
                 const glm::vec3& fire) {
    synth_.follow(settings);
    device_->place(eye, direction, up, fire);
    device_->setGain(muted ? 0.0f : settings.sound.volume);
    if (!recording_) {
        // The speakers play on their own clock: refill what they played.
        for (int room = device_->room(); room >= SoundDevice::kBufferSamples;
             room -= SoundDevice::kBufferSamples) {
            queueAhead(timeScale);
        }
        // The first frame is the slow one (the renderer compiles as it
        // draws): playing from the second, the queue is not spent before
        // it is refilled.
        if (++framesHeard_ >= 2) device_->pause(false);
        return;
    }
    device_->pause(false);
    // The mix always has a buffer queued beyond what it renders.
    for (long long due = audio::samplesBetween(timeBefore, timeAfter); due > 0;) {
        const int n = static_cast<int>(std::min<long long>(due, SoundDevice::kBufferSamples));
        while (ahead_ < n + SoundDevice::kBufferSamples) {
            queueAhead(timeScale);
            ahead_ += SoundDevice::kBufferSamples;
        }
        device_->mix(stereo_, n);
        wav_.write(stereo_, n);
        ahead_ -= n;
        due -= n;
    }
}

void Sound::pause() {
    if (device_ != nullptr) device_->pause(true);
}

bool Sound::finish() {
    if (!recording_) return true;
    const bool written = wav_.close();
    if (!written) std::printf("Sound: the recording could not be written\n");
    return written;
}
