#include "render/ShadowCubeRules.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <optional>

using shadowcube::Contents;
using shadowcube::Step;

namespace {

glm::mat4 at(float x) { return glm::translate(glm::mat4(1.0f), glm::vec3(x, 0.0f, 0.0f)); }

// Stand-ins for objects: only their addresses count.
int rock, secondRock, platform, ground;

// Two rocks' worth of scene as filled: casters on, program build 7.
Contents scene() {
    return {true, 7, glm::vec3(-2.5f, 9.0f, 0.0f),
            {{&rock, at(3.0f)}, {&platform, at(0.0f)}, {&ground, glm::mat4(1.0f)}}};
}

}  // namespace

TEST(ShadowCubeRules, OnlyCastersThatNeverMoveAreStatic) {
    struct Case {
        const char* what;
        game::ShadowCasting casting;
        bool seenMoving;
        bool isStatic;
    };
    const Case cases[] = {
        {"a rock", {true, false, at(3.0f)}, false, true},
        {"the turning structure", {true, true, at(0.0f)}, false, false},
        {"a rock seen moving", {true, false, at(3.0f)}, true, false},
        {"casts nothing (kind 6, no mesh)", {false, false, at(3.0f)}, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shadowcube::isStatic(c.casting, c.seenMoving), c.isStatic) << c.what;
    }
}

TEST(ShadowCubeRules, TheStaticCubeIsDrawnAgainWheneverWhatItHoldsWouldDiffer) {
    struct Case {
        const char* what;
        std::optional<Contents> filled;
        Contents now;
        Step step;
    };
    Contents off = scene();
    off.castersOn = false;
    off.statics.clear();
    Contents reloaded = scene(), lightMoved = scene(), rockMoved = scene();
    reloaded.programGeneration = 8;
    lightMoved.light.y += 0.001f;
    rockMoved.statics[0].model = at(3.5f);
    Contents rockLeft = scene(), rockJoined = scene(), noProgram = scene();
    rockLeft.statics.erase(rockLeft.statics.begin());
    rockJoined.statics.insert(rockJoined.statics.begin(), {&secondRock, at(8.0f)});
    noProgram.programGeneration = 0;
    const Case cases[] = {
        {"start-up: never filled", std::nullopt, scene(), Step::Refill},
        {"nothing changed", scene(), scene(), Step::Copy},
        {"casters switched off", scene(), off, Step::Clear},
        {"casters off, never filled", std::nullopt, off, Step::Clear},
        {"casters back on", off, scene(), Step::Refill},
        {"shadow program reloaded", scene(), reloaded, Step::Refill},
        {"shadow program gone", scene(), noProgram, Step::Refill},
        {"light moved", scene(), lightMoved, Step::Refill},
        {"a static caster moved", scene(), rockMoved, Step::Refill},
        {"a caster passed over", scene(), rockLeft, Step::Refill},
        {"a caster joined", scene(), rockJoined, Step::Refill},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shadowcube::nextStep(c.filled ? &*c.filled : nullptr, c.now), c.step) << c.what;
    }
}

TEST(ShadowCubeRules, MovedSinceFillNamesOnlyStaticCastersWithAnotherMatrix) {
    Contents now = scene();
    EXPECT_TRUE(shadowcube::movedSinceFill(scene(), now).empty());
    now.statics[1].model = at(0.25f);        // the platform moved
    now.statics.erase(now.statics.begin());  // the rock left: not a move
    const std::vector<const void*> moved = shadowcube::movedSinceFill(scene(), now);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], &platform);
}
