#pragma once
#include <GL/glew.h>

#include <array>
#include <vector>

class RenderBackend;

// GPU time of the frame's passes, measured with timer queries that are read
// back a few frames later so that measuring never waits for the GPU; and the
// CPU time the frame itself spent waiting for GPU results it needed at once.
class GpuPassTimer {
public:
    // Reads of query results within one frame: how many, how many of them
    // found the result not ready and waited, and how long all took.
    struct Waits {
        int reads = 0;
        int waited = 0;
        double ms = 0.0;
    };

    enum Pass {
        ShadowCube, SkyBox, Ground, Objects, ParticleUpdate, ParticleDraw, Glow, Picture, Overlay,
        kPassCount
    };
    using Times = std::array<double, kPassCount>;  // milliseconds per pass
    static const char* const kPassNames[kPassCount];

    // Inactive timers cost nothing: begin and end return at once.
    bool active = false;
    // The back end that reads the results, set at start-up where the driver
    // times GL work at all (an OpenGL ES driver without
    // EXT_disjoint_timer_query does not); without one nothing activates the timer.
    const RenderBackend* backend = nullptr;
    bool supported() const { return backend != nullptr; }
    // Every frame's times (the benchmark), waiting for a late result; without
    // it a frame whose results are not in yet is skipped, and nothing waits.
    bool everyFrame = false;

    // Around one stretch of GL work of a pass; a pass may be timed in many stretches.
    void begin(Pass pass);
    void end();
    // Around a stretch of result reads; `reads` and `waited` count them.
    void beginReads();
    void endReads(int reads, int waited);
    // The reads since the last call.
    Waits takeWaits();
    // Closes the frame's slot; returns the times of the oldest finished frame
    // (all -1 until one is available, or while inactive).
    Times endFrame();
    // The latest times endFrame has returned (all 0 before the first).
    const Times& latest() const { return latest_; }
    // Every query deleted and every slot emptied, its results dropped.
    void release();

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
    Waits waits_;
    double readsStart_ = 0.0;
    Times latest_{};
};
