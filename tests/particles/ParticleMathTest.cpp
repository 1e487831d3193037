#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>
#include <utility>
#include <vector>

#include "particles/ParticleMath.h"

using particles::EmissionPlan;
using particles::planEmission;

TEST(EmissionTiming, EveryBurstDueInTheFrameAgedFromItsOwnMoment) {
    struct Case {
        const char* what;
        float elapsed, dt, interval;
        int bursts;
        float oldestAge, elapsedAfter;
    };
    const Case cases[] = {
        {"not yet due", 0.02f, 0.02f, 0.05f, 0, 0.0f, 0.04f},
        {"due only strictly above the interval", 0.25f, 0.25f, 0.5f, 0, 0.0f, 0.5f},
        {"one burst, as old as the time since", 0.5f, 0.125f, 0.5f, 1, 0.125f, 0.125f},
        {"a long frame emits each burst", 0.02f, 0.125f, 0.05f, 2, 0.095f, 0.045f},
        {"the start value emits at once", 0.8f, 0.0f, 0.01f, 1, 0.0f, 0.0f},
        {"and the frame's own bursts after it", 0.8f, 0.0125f, 0.01f, 2, 0.0125f, 0.0025f},
        {"a start value below the interval waits", 0.8f, 0.0f, 1.0f, 0, 0.0f, 0.8f},
        {"a frozen scene emits nothing", 0.03f, 0.0f, 0.05f, 0, 0.0f, 0.03f},
        {"nor does time running back", 0.03f, -1.0f, 0.05f, 0, 0.0f, 0.03f},
        {"a shortened interval is one burst now", 0.04f, 0.004f, 0.01f, 1, 0.004f, 0.004f},
        {"a long gap: a quarter second of bursts", 0.01f, 5.003f, 0.01f, 26, 0.253f, 0.003f},
        {"at the shortest interval too", 0.0f, 10.002f, 0.005f, 51, 0.252f, 0.002f},
        {"a shorter interval counts as the shortest", 0.0f, 0.022f, 0.001f, 4, 0.017f, 0.002f},
    };
    for (const Case& c : cases) {
        const EmissionPlan plan = planEmission(c.elapsed, c.dt, c.interval);
        EXPECT_EQ(plan.bursts, c.bursts) << c.what;
        EXPECT_NEAR(plan.elapsedTime, c.elapsedAfter, 1e-5f) << c.what;
        if (c.bursts > 0) {
            EXPECT_NEAR(plan.oldestAge, c.oldestAge, 1e-5f) << c.what;
            EXPECT_GE(plan.age(plan.bursts - 1), 0.0f) << c.what;
            EXPECT_LE(plan.oldestAge, std::max(c.dt, 0.0f) + 1e-6f) << "born in the frame: " << c.what;
        }
        EXPECT_LE(plan.elapsedTime, std::max(c.interval, particles::kShortestInterval) + 1e-6f)
            << c.what;
    }
    EXPECT_EQ(planEmission(0.01f, std::nanf(""), 0.05f).bursts, 0);
    EXPECT_EQ(planEmission(0.01f, INFINITY, 0.05f).bursts, 0);
}

// Whatever the frame time, the bursts of 8 s are those of 8 s, and their
// moments (the frame's end less their ages) fall one interval apart.
TEST(EmissionTiming, TheClockNotTheFrameRateDecidesTheBursts) {
    for (float dt : {1.0f / 200.0f, 1.0f / 60.0f, 1.0f / 13.0f, 1.0f / 8.0f}) {
        for (float interval : {0.01f, 0.03f, 0.05f}) {
            float elapsed = 0.8f;  // the start value: a burst at the first update
            double now = 0.0;
            std::vector<double> moments;
            while (now < 8.0) {
                now += dt;
                const EmissionPlan plan = planEmission(elapsed, dt, interval);
                elapsed = plan.elapsedTime;
                for (int b = 0; b < plan.bursts; ++b) moments.push_back(now - plan.age(b));
            }
            SCOPED_TRACE(testing::Message() << "dt " << dt << " interval " << interval);
            EXPECT_NEAR(static_cast<double>(moments.size()), now / interval, 1.5);
            EXPECT_NEAR(moments.front(), 0.0, 1e-6) << "the first at the first update's start";
            for (size_t i = 1; i < moments.size(); ++i) {
                ASSERT_NEAR(moments[i] - moments[i - 1], interval, 1e-4) << "burst " << i;
            }
        }
    }
}

TEST(EmissionTiming, APoolKeepsTheYoungestBursts) {
    EmissionPlan plan = planEmission(0.0f, 0.095f, 0.01f);  // 9 bursts, 0.085 ... 0.005 s old
    ASSERT_EQ(plan.bursts, 9);
    const float youngest = plan.age(8);
    plan.keepYoungest(3);
    EXPECT_EQ(plan.bursts, 3);
    EXPECT_NEAR(plan.oldestAge, youngest + 0.02f, 1e-6f);
    EXPECT_NEAR(plan.age(2), youngest, 1e-6f);
    plan.keepYoungest(5);
    EXPECT_EQ(plan.bursts, 3) << "room for more keeps them all";
    plan.keepYoungest(-1);
    EXPECT_EQ(plan.bursts, 0);
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

// The window depth of a point at eye distance d under the projection: what
// the depth test stores, and the soft fade reads back.
float windowDepth(const glm::mat4& projection, float d) {
    const glm::vec4 clip = projection * glm::vec4(0.0f, 0.0f, -d, 1.0f);
    return 0.5f * clip.z / clip.w + 0.5f;
}

TEST(SoftFade, EyeDistanceUndoesTheProjectionsDepth) {
    for (const auto& [near, far] : {std::pair{0.1f, 200.0f}, std::pair{1.0f, 10.0f}}) {
        const glm::mat4 projection = glm::perspective(1.0f, 1.5f, near, far);
        const particles::DepthToDistance rule = particles::depthToDistance(projection);
        EXPECT_NEAR(particles::eyeDistance(0.0f, rule), near, near * 1e-4f);
        EXPECT_NEAR(particles::eyeDistance(1.0f, rule), far, far * 1e-3f);
        for (float d : {0.5f, 3.0f, 9.5f}) {
            EXPECT_NEAR(particles::eyeDistance(windowDepth(projection, d), rule), d, d * 1e-3f)
                << near << " " << d;
        }
    }
}

TEST(SoftFade, SpritesFadeOverTheirSoftnessBeforeTheScene) {
    struct Case {
        float scene, sprite, softness, fade;
    } cases[] = {
        {5.0f, 5.0f, 0.5f, 0.0f},     // touching the scene: gone, no cut shows
        {5.0f, 6.0f, 0.5f, 0.0f},     // behind it: hidden, as the depth test would
        {5.0f, 4.5f, 0.5f, 1.0f},     // a whole softness in front: whole
        {5.0f, 3.0f, 0.5f, 1.0f},
        {5.0f, 4.75f, 0.5f, 0.5f},    // halfway: half, the curve symmetric
        {5.0f, 4.9f, 0.5f, 0.104f},   // eased in: starts flat, no visible edge
        {5.0f, 4.6f, 0.5f, 0.896f},   // and eases out to whole
        {5.0f, 4.99f, 0.0f, 1.0f},    // no softness: the hard depth test
        {5.0f, 5.0f, 0.0f, 0.0f},
        {5.0f, 5.01f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(particles::softFade(c.scene, c.sprite, c.softness), c.fade, 1e-3f)
            << c.scene << " " << c.sprite << " " << c.softness;
    }
    // Smoke's longer softness fades a sprite that a flame's keeps whole.
    EXPECT_LT(particles::softFade(5.0f, 4.8f, 0.4f), particles::softFade(5.0f, 4.8f, 0.1f));
}
