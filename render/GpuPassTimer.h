#pragma once
#include <GL/glew.h>

#include <array>
#include <vector>

// GPU time of the frame's passes, measured with timer queries that are read
// back a few frames later so that measuring never waits for the GPU.
class GpuPassTimer {
public:
    enum Pass { ShadowCube, SkyBox, Ground, Objects, ParticleUpdate, ParticleDraw, Glow, Overlay, kPassCount };
    using Times = std::array<double, kPassCount>;  // milliseconds per pass
    static const char* const kPassNames[kPassCount];

    // Inactive timers cost nothing: begin and end return at once.
    bool active = false;

    // Around one stretch of GL work of a pass; a pass may be timed in many stretches.
    void begin(Pass pass);
    void end();
    // Closes the frame's slot; returns the times of the oldest finished frame
    // (all -1 until one is available).
    Times endFrame();

private:
    static constexpr int kLatency = 4;  // frames between issuing and reading a slot
    struct Slot {
        std::vector<std::pair<Pass, GLuint>> queries;
        size_t used = 0;
        bool pending = false;
    };
    std::array<Slot, kLatency> slots_;
    int current_ = 0;
    Pass open_ = kPassCount;
};
