// The build's choice where OpenAL is not there: no device is ever open, so
// the sound says it is off and the demo runs on.
#include "app/audio/SoundDevice.h"

struct SoundDevice::State {};

SoundDevice::SoundDevice(std::unique_ptr<State> state) : state_(std::move(state)) {}
SoundDevice::~SoundDevice() = default;

bool SoundDevice::inThisBuild() { return false; }
std::unique_ptr<SoundDevice> SoundDevice::openSpeakers() { return nullptr; }
std::unique_ptr<SoundDevice> SoundDevice::openRecording() { return nullptr; }

void SoundDevice::place(const glm::vec3&, const glm::vec3&, const glm::vec3&, const glm::vec3&) {}
void SoundDevice::setGain(float) {}
void SoundDevice::pause(bool) {}
int SoundDevice::room() { return 0; }
void SoundDevice::queue(const float*, int) {}
void SoundDevice::mix(float*, int) {}
