#include "app/run/Benchmark.h"

#include <algorithm>
#include <cmath>

FrameTimeSummary summarizeFrameTimes(std::vector<double> frameMs) {
    FrameTimeSummary summary;
    if (frameMs.empty()) return summary;
    std::sort(frameMs.begin(), frameMs.end());
    const size_t n = frameMs.size();
    auto rank = [&](double percent) {
        const size_t index = static_cast<size_t>(std::ceil(percent / 100.0 * n));
        return frameMs[std::min(n, std::max<size_t>(index, 1)) - 1];
    };
    double total = 0.0;
    for (double ms : frameMs) total += ms;
    summary.count = n;
    summary.minMs = frameMs.front();
    summary.medianMs = rank(50.0);
    summary.p99Ms = rank(99.0);
    summary.maxMs = frameMs.back();
    summary.meanFps = total > 0.0 ? 1000.0 * n / total : 0.0;
    return summary;
}

Benchmark::Benchmark(double measuredSeconds, std::string csvFile)
    : measuredSeconds_(measuredSeconds), csvFile_(std::move(csvFile)) {}

bool Benchmark::measuring(double totalTime) const { return totalTime > kWarmUpSeconds; }

bool Benchmark::frameDone(double elapsed, double totalTime, const GpuPassTimer::Times& gpuMs,
                          const GpuPassTimer::Waits& waits, double renderScale) {
    if (!measuring(totalTime)) return false;
    rows_.push_back({elapsed * 1000.0, gpuMs, waits, renderScale});
    measuredSoFar_ += elapsed;
    return measuredSoFar_ >= measuredSeconds_;
}

void Benchmark::report(double startUpSeconds, const std::string& renderer,
                       const std::string& antialias) const {
    std::vector<double> frameMs, scales;
    GpuPassTimer::Times gpuSum{};
    size_t gpuFrames = 0;
    GpuPassTimer::Waits waitSum;
    for (const Row& row : rows_) {
        frameMs.push_back(row.frameMs);
        scales.push_back(row.renderScale);
        waitSum.reads += row.waits.reads;
        waitSum.waited += row.waits.waited;
        waitSum.ms += row.waits.ms;
        if (row.gpuMs[0] < 0.0) continue;  // not yet read back
        for (int pass = 0; pass < GpuPassTimer::kPassCount; ++pass) gpuSum[pass] += row.gpuMs[pass];
        ++gpuFrames;
    }
    const FrameTimeSummary s = summarizeFrameTimes(frameMs);

    std::printf("\nBenchmark (%s)\n", renderer.c_str());
    std::printf("  start-up to first frame: %.3f s\n", startUpSeconds);
    std::printf("  frames measured: %zu\n", s.count);
    std::printf("  frame time ms: min %.2f  median %.2f  p99 %.2f  max %.2f\n", s.minMs, s.medianMs,
                s.p99Ms, s.maxMs);
    std::printf("  mean FPS: %.1f\n", s.meanFps);
    // The same order statistics, of the scale each frame was drawn at.
    const FrameTimeSummary scale = summarizeFrameTimes(scales);
    std::printf("  render scale: median %.2f, %.2f to %.2f\n", scale.medianMs, scale.minMs,
                scale.maxMs);
    std::printf("  antialias: %s\n", antialias.c_str());
    // Results the frame needs at once (the particle counts): a read that finds
    // its result not ready stalls the CPU until the GPU has caught up.
    const double frames = s.count > 0 ? static_cast<double>(s.count) : 1.0;
    std::printf("  query reads per frame: %.1f, not ready %.2f, CPU ms waiting %.3f\n",
                waitSum.reads / frames, waitSum.waited / frames, waitSum.ms / frames);
    std::printf("  GPU ms per frame (mean of %zu frames):\n", gpuFrames);
    for (int pass = 0; pass < GpuPassTimer::kPassCount; ++pass) {
        std::printf("    %-17s %7.3f\n", GpuPassTimer::kPassNames[pass],
                    gpuFrames > 0 ? gpuSum[pass] / gpuFrames : 0.0);
    }

    if (csvFile_.empty()) return;
    FILE* csv = std::fopen(csvFile_.c_str(), "w");
    if (csv == nullptr) {
        std::printf("Benchmark: cannot write '%s'\n", csvFile_.c_str());
        return;
    }
    std::fprintf(csv, "frame,frame_ms");
    for (const char* name : GpuPassTimer::kPassNames) {
        std::string column = name;
        std::replace(column.begin(), column.end(), ' ', '_');
        std::fprintf(csv, ",gpu_%s_ms", column.c_str());
    }
    std::fprintf(csv, "\n");
    for (size_t i = 0; i < rows_.size(); ++i) {
        std::fprintf(csv, "%zu,%.4f", i, rows_[i].frameMs);
        for (double ms : rows_[i].gpuMs) std::fprintf(csv, ",%.4f", ms);
        std::fprintf(csv, "\n");
    }
    std::fclose(csv);
}
