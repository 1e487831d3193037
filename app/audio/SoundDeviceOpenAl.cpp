// The sound device through OpenAL: OpenAL Soft on Linux and Windows,
// Emscripten's OpenAL on WebAudio in the page. The program's only OpenAL
// calls.
#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "GraphicsEngine/Platform.h"
#include "app/audio/SoundDevice.h"
#include "app/audio/SoundMath.h"

namespace {

// Sixteen buffers, 0.74 s queued ahead: frames of a quarter second (4 a
// second) and their jitter are refilled long before the queue runs dry.
// What the mixer applies (the camera, the volume, mute) is heard at once;
// a setting the synthesizer follows, after what is queued.
constexpr int kSpeakerBuffers = 16;
// A recording keeps a buffer or two ahead of the mix.
constexpr int kRecordingBuffers = 6;
constexpr int kMostBuffers = kSpeakerBuffers;
// Full loudness within this distance (world units), then falling as
// reference / distance, no further past the farthest.
constexpr float kReferenceDistance = 6.0f;
constexpr float kFarthest = 500.0f;

// The loopback device's names (the ALC_SOFT_loopback and ALC_SOFT_HRTF
// extensions), declared here: not every OpenAL ships alext.h (the browser's
// does not), and one without the extension says so when asked.
constexpr ALCenum kFormatChannels = 0x1990;
constexpr ALCenum kFormatType = 0x1991;
constexpr ALCenum kStereo = 0x1501;
constexpr ALCenum kFloat = 0x1406;
constexpr ALCenum kHrtf = 0x1992;
// (The 64-bit systems have one calling convention, so none is named.)
using LoopbackOpenDevice = ALCdevice* (*)(const ALCchar* name);
using RenderSamples = void (*)(ALCdevice* device, ALCvoid* buffer, ALCsizei frames);

// OpenAL Soft writes its own warnings and errors to the console; the demo
// says in one line what matters. A level the user set is kept.
void quietLibrary() { platform::setEnvironmentDefault("ALSOFT_LOGLEVEL", "0"); }

// The system's audio libraries that OpenAL Soft tries in turn write their
// own complaints to stderr while it looks for an output (ALSA's "cannot
// find card" on a machine without one): stderr goes nowhere meanwhile.
ALCdevice* openDefaultQuietly() {
    const int saved = platform::silenceStderr();
    ALCdevice* device = alcOpenDevice(nullptr);
    platform::restoreStderr(saved);
    return device;
}

}  // namespace

struct SoundDevice::State {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint source = 0;
    ALuint buffers[kMostBuffers] = {};
    int bufferCount = 0;
    ALuint freeBuffers[kMostBuffers] = {};
    int freeCount = 0;
    bool recording = false;
    bool paused = true;  // until the first pause(false)
    RenderSamples renderSamples = nullptr;
    std::int16_t pcm[kBufferSamples] = {};

    // The context, the source and its buffers on an open device; false
    // where the device takes no context.
    bool start(const ALCint* attributes, int buffers) {
        context = alcCreateContext(device, attributes);
        if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) return false;
        alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
        alGenSources(1, &source);
        alSourcef(source, AL_REFERENCE_DISTANCE, kReferenceDistance);
        alSourcef(source, AL_MAX_DISTANCE, kFarthest);
        alSourcef(source, AL_ROLLOFF_FACTOR, 1.0f);
        bufferCount = buffers;
        alGenBuffers(bufferCount, this->buffers);
        std::copy(this->buffers, this->buffers + bufferCount, freeBuffers);
        freeCount = bufferCount;
        return alGetError() == AL_NO_ERROR;
    }

    // Buffers the source has played come back to the free list.
    void reclaim() {
        ALint processed = 0;
        alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
        processed = std::min(processed, bufferCount - freeCount);
        if (processed <= 0) return;
        alSourceUnqueueBuffers(source, processed, freeBuffers + freeCount);
        freeCount += processed;
    }

    ~State() {
        if (context != nullptr) {
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
            alDeleteSources(1, &source);
            alDeleteBuffers(bufferCount, buffers);
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
        }
        if (device != nullptr) alcCloseDevice(device);
    }
};

SoundDevice::SoundDevice(std::unique_ptr<State> state) : state_(std::move(state)) {}
SoundDevice::~SoundDevice() = default;

bool SoundDevice::inThisBuild() { return true; }

std::unique_ptr<SoundDevice> SoundDevice::openSpeakers() {
    quietLibrary();
    auto state = std::make_unique<State>();
    state->device = openDefaultQuietly();
    if (state->device == nullptr || !state->start(nullptr, kSpeakerBuffers)) return nullptr;
    return std::unique_ptr<SoundDevice>(new SoundDevice(std::move(state)));
}

std::unique_ptr<SoundDevice> SoundDevice::openRecording() {
    quietLibrary();
    // The mix is rendered on request, so the library need not look for an
    // output, nor the system's audio libraries complain of none (Wine's
    // host ALSA writes where stderr's silencing does not reach).
    platform::setEnvironmentDefault("ALSOFT_DRIVERS", "null");
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") == ALC_FALSE) return nullptr;
    auto openLoopback = reinterpret_cast<LoopbackOpenDevice>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    auto state = std::make_unique<State>();
    state->renderSamples =
        reinterpret_cast<RenderSamples>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (openLoopback == nullptr || state->renderSamples == nullptr) return nullptr;
    state->device = openLoopback(nullptr);
    if (state->device == nullptr) return nullptr;
    // Float samples: 16-bit output would be dithered with noise of its own.
    // No head-related filters either: plain stereo panning, the same everywhere.
    const ALCint attributes[] = {kFormatChannels, kStereo,
                                 kFormatType, kFloat,
                                 ALC_FREQUENCY, audio::kSampleRate,
                                 kHrtf, ALC_FALSE,
                                 0};
    state->recording = true;
    if (!state->start(attributes, kRecordingBuffers)) return nullptr;
    return std::unique_ptr<SoundDevice>(new SoundDevice(std::move(state)));
}

void SoundDevice::place(const glm::vec3& listener, const glm::vec3& direction,
                        const glm::vec3& up, const glm::vec3& fire) {
    const ALfloat orientation[6] = {direction.x, direction.y, direction.z, up.x, up.y, up.z};
    alListener3f(AL_POSITION, listener.x, listener.y, listener.z);
    alListenerfv(AL_ORIENTATION, orientation);
    alSource3f(state_->source, AL_POSITION, fire.x, fire.y, fire.z);
}

void SoundDevice::setGain(float gain) { alListenerf(AL_GAIN, std::max(gain, 0.0f)); }

void SoundDevice::pause(bool paused) {
    if (paused == state_->paused) return;
    state_->paused = paused;
    if (paused) {
        alSourcePause(state_->source);
    } else {
        alSourcePlay(state_->source);
    }
}

int SoundDevice::room() {
    state_->reclaim();
    return state_->recording ? kBufferSamples : state_->freeCount * kBufferSamples;
}

void SoundDevice::queue(const float* mono, int count) {
    State& s = *state_;
    s.reclaim();
    count = std::min(count, kBufferSamples);
    if (count <= 0 || s.freeCount == 0) return;
    for (int i = 0; i < count; ++i) {
        s.pcm[i] = static_cast<std::int16_t>(std::lrint(std::clamp(mono[i], -1.0f, 1.0f) * 32767.0f));
    }
    const ALuint buffer = s.freeBuffers[--s.freeCount];
    alBufferData(buffer, AL_FORMAT_MONO16, s.pcm, count * static_cast<ALsizei>(sizeof(std::int16_t)),
                 audio::kSampleRate);
    alSourceQueueBuffers(s.source, 1, &buffer);
    // Starts the source, and starts it again should it ever have run dry.
    ALint playing = 0;
    alGetSourcei(s.source, AL_SOURCE_STATE, &playing);
    if (playing != AL_PLAYING && !s.paused) alSourcePlay(s.source);
}

void SoundDevice::mix(float* stereo, int frames) {
    if (state_->renderSamples != nullptr && frames > 0) {
        state_->renderSamples(state_->device, stereo, frames);
    }
}
