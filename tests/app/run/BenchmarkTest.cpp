#include <gtest/gtest.h>

#include "app/run/Benchmark.h"

TEST(Benchmark, SummaryOrdersAndAveragesFrameTimes) {
    std::vector<double> ms;
    for (int i = 100; i >= 1; --i) ms.push_back(i);  // 1..100 ms, unsorted
    const FrameTimeSummary s = summarizeFrameTimes(ms);
    EXPECT_EQ(s.count, 100u);
    EXPECT_DOUBLE_EQ(s.minMs, 1.0);
    EXPECT_DOUBLE_EQ(s.medianMs, 50.0);
    EXPECT_DOUBLE_EQ(s.p99Ms, 99.0);
    EXPECT_DOUBLE_EQ(s.maxMs, 100.0);
    EXPECT_NEAR(s.meanFps, 1000.0 / 50.5, 1e-9);
}

TEST(Benchmark, SummaryOfOneAndOfNone) {
    const FrameTimeSummary one = summarizeFrameTimes({16.0});
    EXPECT_DOUBLE_EQ(one.medianMs, 16.0);
    EXPECT_DOUBLE_EQ(one.p99Ms, 16.0);
    EXPECT_DOUBLE_EQ(one.meanFps, 62.5);
    EXPECT_EQ(summarizeFrameTimes({}).count, 0u);
}

TEST(Benchmark, MeasuresOnlyAfterTheWarmUpAndStopsAfterItsSpan) {
    Benchmark benchmark(1.0, "");
    GpuPassTimer::Times gpu;
    gpu.fill(-1.0);
    double total = 0.0;
    int measured = 0;
    bool done = false;
    while (!done && total < 10.0) {
        total += 0.125;  // exact in binary, so the boundaries are sharp
        if (benchmark.measuring(total)) ++measured;
        // The scales of the measured frames, 0.5 to 0.85; the warm-up's unreported.
        const int frame = static_cast<int>(total / 0.125);
        const double scale = benchmark.measuring(total) ? 0.5 + 0.05 * (frame % 8) : 0.25;
        done = benchmark.frameDone(0.125, total, gpu, {}, scale);
    }
    EXPECT_TRUE(done);
    EXPECT_DOUBLE_EQ(total, Benchmark::kWarmUpSeconds + 1.0);
    EXPECT_EQ(measured, 8);
    testing::internal::CaptureStdout();
    benchmark.report(0.5, "test", "post");
    const std::string report = testing::internal::GetCapturedStdout();
    EXPECT_NE(report.find("\n  render scale: median 0.65, 0.50 to 0.85\n  antialias: post\n"),
              std::string::npos)
        << report;
}
