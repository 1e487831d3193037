#pragma once
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "render/GpuPassTimer.h"

// Frame-time figures of a benchmark run.
struct FrameTimeSummary {
    size_t count = 0;
    double minMs = 0, medianMs = 0, p99Ms = 0, maxMs = 0;
    double meanFps = 0;
};

// Pure: the summary of a list of frame times in milliseconds (nearest-rank
// percentiles; all zero for an empty list).
FrameTimeSummary summarizeFrameTimes(std::vector<double> frameMs);

// --benchmark: a warm-up, then every frame's time and GPU pass times until the
// measured span is over.
class Benchmark {
public:
    static constexpr double kWarmUpSeconds = 3.0;

    Benchmark(double measuredSeconds, std::string csvFile);

    // True once the frame that ended at `totalTime` is past the warm-up.
    bool measuring(double totalTime) const;
    // Records one frame, drawn at `renderScale`; returns true when the run
    // is complete.
    bool frameDone(double elapsed, double totalTime, const GpuPassTimer::Times& gpuMs,
                   const GpuPassTimer::Waits& waits = {}, double renderScale = 1.0);
    // The report on the console, and the CSV file if one was asked for;
    // `antialias`: the anti-aliasing the tour ran with.
    void report(double startUpSeconds, const std::string& renderer,
                const std::string& antialias) const;

private:
    struct Row {
        double frameMs;
        GpuPassTimer::Times gpuMs;
        GpuPassTimer::Waits waits;
        double renderScale;
    };
    double measuredSeconds_;
    std::string csvFile_;
    double measuredSoFar_ = 0.0;
    std::vector<Row> rows_;
};
