#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "particles/ParticleMath.h"

using particles::advanceEmission;
using particles::EmissionStep;

TEST(EmissionTiming, EmitsOnlyWhenStrictlyAboveTheInterval) {
    EmissionStep below = advanceEmission(0.02f, 0.02f, 0.05f);
    EXPECT_FALSE(below.emit);
    EXPECT_FLOAT_EQ(below.elapsedTime, 0.04f);

    EmissionStep equal = advanceEmission(0.25f, 0.25f, 0.5f);
    EXPECT_FALSE(equal.emit);
    EXPECT_FLOAT_EQ(equal.elapsedTime, 0.5f);

    EmissionStep above = advanceEmission(0.5f, 0.125f, 0.5f);
    EXPECT_TRUE(above.emit);
    EXPECT_FLOAT_EQ(above.elapsedTime, 0.125f);
}

TEST(EmissionTiming, TheStartValueEmitsAtOnceEvenWithoutTimePassing) {
    for (float interval : {0.01f, 0.03f, 0.05f}) {
        EmissionStep first = advanceEmission(0.8f, 0.0f, interval);
        EXPECT_TRUE(first.emit) << interval;
        EXPECT_FLOAT_EQ(first.elapsedTime, 0.8f - interval);
    }
    EXPECT_FALSE(advanceEmission(0.8f, 0.0f, 1.0f).emit);
}

TEST(EmissionTiming, ALongFrameEmitsOnceAndKeepsTheRest) {
    float elapsed = 0.0f;
    int emissions = 0;
    for (int update = 0; update < 5; ++update) {
        EmissionStep step = advanceEmission(elapsed, 0.25f, 0.1f);
        emissions += step.emit ? 1 : 0;
        EXPECT_GT(step.elapsedTime, elapsed) << "the backlog grows, update " << update;
        elapsed = step.elapsedTime;
    }
    EXPECT_EQ(emissions, 5);
    EXPECT_NEAR(elapsed, 5 * 0.25f - 5 * 0.1f, 1e-5f);
}

TEST(EmissionTiming, ShortFramesEmitAtTheIntervalsRate) {
    // 0.125 s frames, 0.25 s interval, starting empty: every second frame.
    float elapsed = 0.0f;
    bool pattern[8];
    for (bool& emitted : pattern) {
        EmissionStep step = advanceEmission(elapsed, 0.125f, 0.25f);
        emitted = step.emit;
        elapsed = step.elapsedTime;
    }
    const bool expected[8] = {false, false, true, false, true, false, true, false};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(pattern[i], expected[i]) << "frame " << i;
}

TEST(SeedFolding, MapsTheFoldedRangeOntoMinusTenToTen) {
    EXPECT_FLOAT_EQ(particles::foldRandom(0), -10.0f);
    EXPECT_FLOAT_EQ(particles::foldRandom(32767), 10.0f);
    EXPECT_NEAR(particles::foldRandom(16383), 0.0f, 0.001f);
    // Values above 32767 wrap round by the remainder.
    EXPECT_FLOAT_EQ(particles::foldRandom(32768), -10.0f);
    EXPECT_FLOAT_EQ(particles::foldRandom(32768 + 32767), 10.0f);
    EXPECT_FLOAT_EQ(particles::foldRandom(32768 * 3 + 100), particles::foldRandom(100));
}

TEST(SeedFolding, EveryRandValueStaysInRange) {
    for (int value : {0, 1, 32766, 32767, 32768, 65535, 65536, 1 << 30, RAND_MAX, INT_MAX}) {
        const float folded = particles::foldRandom(value);
        EXPECT_GE(folded, -10.0f) << value;
        EXPECT_LE(folded, 10.0f) << value;
    }
    particles::seedRandom(7);
    for (int i = 0; i < 10000; ++i) {
        const float folded = particles::foldRandom(particles::drawRandom());
        ASSERT_GE(folded, -10.0f);
        ASSERT_LE(folded, 10.0f);
    }
}

// The generator's own sequence, the same on every system: a change here
// changes every picture.
TEST(SeedFolding, TheGeneratorGivesItsFixedSequence) {
    particles::seedRandom(1);
    const int expected[] = {16838, 5758, 10113, 17515, 31051, 5627};
    for (int value : expected) EXPECT_EQ(particles::drawRandom(), value);
    particles::seedRandom(1);
    EXPECT_EQ(particles::drawRandom(), 16838);
}

TEST(SeedFolding, FirstDrawIsZSecondYThirdX) {
    const glm::vec3 seed = particles::seedFromDraws(0, 16383, 32767);
    EXPECT_FLOAT_EQ(seed.z, -10.0f);
    EXPECT_NEAR(seed.y, 0.0f, 0.001f);
    EXPECT_FLOAT_EQ(seed.x, 10.0f);
}

// The emitters' three sheets: large flames, small flames, smoke.
TEST(SheetCell, EverySheetPlaysToItsLastCellAndNeverPast) {
    struct Layout {
        int rows, cols, frames;
        float speed;
    };
    const Layout layouts[] = {{6, 6, 36, 0.25f}, {4, 4, 16, 1.0f}, {7, 7, 46, 1.0f}};
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.frames);
        int previous = 0;
        for (int step = 0; step <= 1000; ++step) {
            const float life = step / 1000.0f;
            const int cell = particles::sheetCell(life, l.rows, l.cols, l.frames, l.speed);
            ASSERT_GE(cell, previous) << "step " << step;
            ASSERT_LT(cell, l.frames) << "step " << step;
            previous = cell;
        }
        EXPECT_EQ(particles::sheetCell(0.0f, l.rows, l.cols, l.frames, l.speed), 0);
        EXPECT_EQ(particles::sheetCell(0.99f, l.rows, l.cols, l.frames, l.speed), l.frames - 1);
        EXPECT_EQ(particles::sheetCell(1.0f, l.rows, l.cols, l.frames, l.speed), l.frames - 1);
        EXPECT_EQ(particles::sheetCell(1.5f, l.rows, l.cols, l.frames, l.speed), l.frames - 1);
        EXPECT_EQ(particles::sheetCell(-0.5f, l.rows, l.cols, l.frames, l.speed), 0);
    }
}

TEST(SheetCell, SpeedFramesAndCellsEachTakePart) {
    // Even pace at speed 1; below 1 the early cells pass quickly.
    EXPECT_EQ(particles::sheetCell(0.5f, 6, 6, 36, 1.0f), 18);
    EXPECT_EQ(particles::sheetCell(0.5f, 6, 6, 36, 0.25f), 30);  // 36 * 0.5^0.25
    EXPECT_EQ(particles::sheetCell(0.25f, 6, 6, 36, 2.0f), 2);   // 36 * 0.25^2
    // Fewer frames than cells end early; more frames than cells end at the last cell.
    EXPECT_EQ(particles::sheetCell(0.5f, 6, 6, 18, 1.0f), 9);
    EXPECT_EQ(particles::sheetCell(0.999f, 4, 4, 40, 1.0f), 15);
    EXPECT_EQ(particles::sheetCell(0.5f, 4, 4, 40, 1.0f), 8);
    // A single-frame sprite and a sheet without sizes always show cell 0.
    EXPECT_EQ(particles::sheetCell(0.7f, 1, 1, 1, 1.0f), 0);
    EXPECT_EQ(particles::sheetCell(0.7f, 0, 0, 0, 0.0f), 0);
}

TEST(BillboardAxes, SpanThePlaneFacingTheViewer) {
    const particles::BillboardAxes ahead =
        particles::billboardAxes(glm::vec3(0, 0, 5), glm::vec3(0, 0, 0), glm::vec3(0, 1, 0));
    EXPECT_NEAR(glm::distance(ahead.right, glm::vec3(1, 0, 0)), 0.0f, 1e-6f);
    EXPECT_NEAR(glm::distance(ahead.down, glm::vec3(0, -1, 0)), 0.0f, 1e-6f);

    // Looking along +x and a little down: right is +z, and both axes stay unit
    // length and perpendicular to the view direction and to each other.
    const glm::vec3 eye(1, 2, 3);
    const glm::vec3 center = eye + 10.0f * glm::vec3(1, -0.5f, 0);
    const particles::BillboardAxes tilted =
        particles::billboardAxes(eye, center, glm::vec3(0, 1, 0));
    const glm::vec3 forward = glm::normalize(center - eye);
    EXPECT_NEAR(glm::distance(tilted.right, glm::vec3(0, 0, 1)), 0.0f, 1e-6f);
    EXPECT_NEAR(glm::length(tilted.down), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::dot(tilted.down, forward), 0.0f, 1e-6f);
    EXPECT_NEAR(glm::dot(tilted.down, tilted.right), 0.0f, 1e-6f);
    EXPECT_LT(tilted.down.y, 0.0f);
}
