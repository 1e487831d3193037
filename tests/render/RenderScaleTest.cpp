#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "render/RenderScale.h"

TEST(RenderScale, ScaledSizeRoundsClampsAndKeepsAPixel) {
    struct Case {
        unsigned width, height;
        float scale;
        int expectWidth, expectHeight;
    };
    const Case cases[] = {
        {1024, 768, 1.0f, 1024, 768}, {1024, 768, 0.5f, 512, 384}, {1024, 768, 0.75f, 768, 576},
        {1023, 767, 0.5f, 512, 384},  {1280, 720, 0.55f, 704, 396}, {1, 1, 0.5f, 1, 1},
        {1024, 768, 0.2f, 512, 384},  {1024, 768, 1.5f, 1024, 768}, {0, 0, 0.5f, 0, 0},
    };
    for (const Case& c : cases) {
        const renderscale::Size size = renderscale::scaledSize(c.width, c.height, c.scale);
        EXPECT_EQ(size.width, c.expectWidth) << c.width << "x" << c.height << " at " << c.scale;
        EXPECT_EQ(size.height, c.expectHeight) << c.width << "x" << c.height << " at " << c.scale;
    }
}

namespace {

// A machine whose frame is `fixed` seconds plus `pixels` seconds at scale 1,
// shrinking with the pixels drawn; `load(t)` multiplies it at time t, `noise`
// is a repeatable +-share per frame.
struct Machine {
    double fixed, pixels;
    double noise = 0.0;
    std::function<double(double)> load = [](double) { return 1.0; };
    float cliffAbove = 2.0f;  // above this scale every frame costs `cliff` times as much
    double cliff = 1.0;
};

struct Flight {
    std::vector<double> times;  // when each frame ended
    std::vector<float> scales;  // the scale each frame drew at
    // The changes of scale from time `from` on, and how many turned back.
    int changes(double from) const {
        int count = 0;
        for (size_t i = 1; i < scales.size(); ++i) count += times[i] >= from && scales[i] != scales[i - 1];
        return count;
    }
    int reversals(double from) const {
        int count = 0, direction = 0;
        for (size_t i = 1; i < scales.size(); ++i) {
            if (times[i] < from || scales[i] == scales[i - 1]) continue;
            const int now = scales[i] > scales[i - 1] ? 1 : -1;
            count += direction != 0 && now != direction;
            direction = now;
        }
        return count;
    }
    float at(double t) const {
        for (size_t i = 0; i < times.size(); ++i) {
            if (times[i] >= t) return scales[i];
        }
        return scales.back();
    }
};

Flight fly(RenderScale& scale, const Machine& machine, double seconds) {
    Flight run;
    double t = 0.0;
    unsigned seed = 12345u;
    while (t < seconds) {
        seed = seed * 1103515245u + 12345u;
        const double jitter = 1.0 + machine.noise * (((seed >> 16) % 2001) / 1000.0 - 1.0);
        const double s = scale.scale();
        const double frame = (machine.fixed + machine.pixels * s * s) * machine.load(t) * jitter *
                             (s > machine.cliffAbove + 1e-3 ? machine.cliff : 1.0);
        run.scales.push_back(scale.scale());
        t += frame;
        run.times.push_back(t);
        scale.frameDone(frame);
    }
    return run;
}

double frameAt(const Machine& m, float s) { return m.fixed + m.pixels * s * s; }

}  // namespace

TEST(RenderScale, SettlesOnOneScaleThatHoldsTheRate) {
    // Budget 33.3 ms: at 1 the frame takes 50 ms, at 0.5 20 ms.
    const Machine cases[] = {{0.010, 0.040}, {0.010, 0.040, 0.15}, {0.025, 0.020, 0.1},
                             {0.002, 0.060, 0.2}};
    for (const Machine& machine : cases) {
        SCOPED_TRACE(testing::Message() << machine.fixed << " + " << machine.pixels << " noise "
                                        << machine.noise);
        RenderScale scale(1.0f, 30);
        const Flight run = fly(scale, machine, 60.0);
        const float settled = scale.scale();
        EXPECT_EQ(run.changes(20.0), 0) << "settled at " << settled;
        // Within the budget, and not needlessly low: one step up would not be.
        EXPECT_LE(frameAt(machine, settled), RenderScale::kSlow / 30.0);
        EXPECT_GT(frameAt(machine, settled + renderscale::kStep), RenderScale::kFast / 30.0);
        // It got there within a few seconds, a few changes a second at most.
        EXPECT_EQ(run.at(10.0), settled);
        EXPECT_LE(run.changes(0.0), 2 * 5);
    }
}

TEST(RenderScale, ReachesEitherEndAndStaysThere) {
    RenderScale fast(0.5f, 30);  // 12 ms at 1: the whole size
    fly(fast, {0.004, 0.008}, 20.0);
    EXPECT_EQ(fast.scale(), 1.0f);
    RenderScale slow(1.0f, 30);  // 60 ms even at 0.5: the least it can do
    const Flight run = fly(slow, {0.055, 0.020, 0.1}, 30.0);
    EXPECT_EQ(slow.scale(), 0.5f);
    EXPECT_EQ(run.changes(5.0), 0);
}

TEST(RenderScale, RecoversAfterALoadAndDoesNotPump) {
    // Settled, then a load that doubles every frame from 20 to 25 s: down
    // to the least, then back up within seconds of the load's end, without
    // going up and down on the way, to a scale that holds the rate again
    // (from below it may stop a step short: the band holds either).
    Machine machine{0.010, 0.040, 0.1};
    machine.load = [](double t) { return t >= 20.0 && t < 25.0 ? 2.0 : 1.0; };
    RenderScale scale(1.0f, 30);
    const Flight run = fly(scale, machine, 60.0);
    const float settled = run.at(19.0);
    EXPECT_EQ(run.at(24.0), renderscale::kMin);
    EXPECT_GE(run.at(40.0), settled - renderscale::kStep);
    EXPECT_GT(frameAt(machine, run.at(40.0) + renderscale::kStep), RenderScale::kFast / 30.0);
    EXPECT_EQ(run.reversals(19.0), 1);  // down, then up once the load is gone
    EXPECT_EQ(run.changes(40.0), 0);

    // A frame time right at the edge of the band between two steps, with
    // noise across it: a step or two at first, then one scale.
    for (const double edge : {0.0333 * RenderScale::kSlow, 0.0333 * RenderScale::kFast}) {
        SCOPED_TRACE(edge);
        // The pixels make the frame at 0.75 exactly the edge.
        Machine tight{0.008, (edge - 0.008) / (0.75 * 0.75), 0.2};
        RenderScale held(1.0f, 30);
        const Flight edgeRun = fly(held, tight, 90.0);
        EXPECT_LE(edgeRun.changes(30.0), 1);
        EXPECT_LE(edgeRun.reversals(0.0), 2);
    }

    // A machine where one step up costs far more than its pixels (a cache
    // that no longer holds the frame, say): each try of the step above is
    // found too slow, and tried ever more rarely: 8, 16, 32 s apart.
    Machine cliff{0.022, 0.0, 0.1};
    cliff.cliffAbove = 0.7f;
    cliff.cliff = 1.6;
    RenderScale held(1.0f, 30);
    const Flight cliffRun = fly(held, cliff, 120.0);
    EXPECT_EQ(cliffRun.at(119.0), 0.7f);
    EXPECT_LE(cliffRun.changes(20.0), 6);
    EXPECT_LE(cliffRun.changes(45.0), 2);
}

TEST(RenderScale, OffKeepsTheScaleSetByHand) {
    RenderScale scale(0.2f);
    EXPECT_EQ(scale.scale(), renderscale::kMin);  // clamped
    scale.setScale(0.73f);
    fly(scale, {0.2, 0.2}, 10.0);
    EXPECT_EQ(scale.scale(), 0.73f);
    EXPECT_EQ(scale.target(), 0);
    // The target starts from the hand's scale and moves on the steps' grid.
    scale.setTarget(30);
    fly(scale, {0.010, 0.060}, 30.0);
    const float settled = scale.scale();
    EXPECT_NEAR(std::fmod(settled - renderscale::kMin + 1e-4f, renderscale::kStep), 0.0f, 1e-3f);
    EXPECT_LT(settled, 0.73f);
    scale.setTarget(0);
    fly(scale, {0.010, 0.040}, 5.0);
    EXPECT_EQ(scale.scale(), settled);
}
