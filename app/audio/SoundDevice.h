#pragma once
#include <glm/glm.hpp>
#include <memory>

// The one seam to the audio library: one mono source, the fire, heard by one
// listener, the camera. Every OpenAL call lives in SoundDeviceOpenAl.cpp;
// a build without OpenAL takes SoundDeviceSilent.cpp, which opens nothing.
class SoundDevice {
public:
    // Mono samples per queued buffer.
    static constexpr int kBufferSamples = 2048;

    // False for the build without an audio library.
    static bool inThisBuild();
    // The system's output; null where there is none (a server, a container),
    // without a word from the library.
    static std::unique_ptr<SoundDevice> openSpeakers();
    // A mix rendered on request (mix), with no output and no real time: what
    // a recording hears. Null where the library cannot do it.
    static std::unique_ptr<SoundDevice> openRecording();
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // The listener at the camera (where it stands, looks, and which way is
    // up) and the fire's place; a clamped inverse-distance model quiets it
    // with distance.
    void place(const glm::vec3& listener, const glm::vec3& direction, const glm::vec3& up,
               const glm::vec3& fire);
    // The volume over all; 0 is silence.
    void setGain(float gain);
    // Held while the demo is paused, then on from where it stopped; a new
    // device waits for the first pause(false).
    void pause(bool paused);

    // Mono samples the queue takes now. The speakers keep a fixed span
    // queued ahead of play and ask for what was played since; a recording
    // takes any amount.
    int room();
    // Queues `count` samples (at most kBufferSamples) after the ones queued.
    void queue(const float* mono, int count);
    // A recording only: `frames` stereo frames of the mix of what is queued,
    // left and right interleaved.
    void mix(float* stereo, int frames);

private:
    struct State;
    explicit SoundDevice(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};
