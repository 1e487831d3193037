#include <gtest/gtest.h>

#include <vector>

#include "particles/ParticleMath.h"
#include "particles/ParticleRing.h"

TEST(ParticleRingSlots, HoldEveryParticleTheSettingsKeepAlive) {
    struct Case {
        int perEmission;
        float longestLife, interval;
        int slots;
    };
    const Case cases[] = {
        {1, 3.0f, 0.05f, 77},         // sparks: (3 + 0.8) / 0.05 emissions, and one more
        {2, 1.0f, 0.1f, 38},          // flames: 2 x (18 + 1)
        {40, 0.1f, 0.4f, 128},        // at most 32 per emission, 4 emissions
        {0, 1.0f, 0.5f, 5},           // none per emission: still one emission's room
        {1, -1.0f, 0.4f, 3},          // no life: the start backlog only
        {1, 1.0f, 0.0f, 362},         // the shortest interval sized for: 0.005
        {32, 20.0f, 0.005f, 100000},  // the settings' extremes: capped
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParticleRing::slotsFor(c.perEmission, c.longestLife, c.interval), c.slots)
            << c.perEmission << " per " << c.interval << " s, living " << c.longestLife;
    }
}

// What a run of updates keeps alive, aged as the GPU ages it, never outgrows the pool.
TEST(ParticleRingSlots, NoRunOfUpdatesOutgrowsThePool) {
    for (float dt : {0.001f, 1.0f / 60.0f, 0.04f, 0.2f}) {
        for (float interval : {0.01f, 0.05f, 0.3f}) {
            const int slots = ParticleRing::slotsFor(1, 2.0f, interval);
            std::vector<float> left;
            float elapsed = ParticleSystem::kFirstEmissionTime;
            for (int update = 0; update < 2000; ++update) {
                std::vector<float> kept;
                for (float l : left) {
                    if (l - dt > 0.0f) kept.push_back(l - dt);
                }
                left.swap(kept);
                const particles::EmissionStep step =
                    particles::advanceEmission(elapsed, dt, interval);
                elapsed = step.elapsedTime;
                if (step.emit) left.push_back(2.0f);
                ASSERT_LE(static_cast<int>(left.size()), slots)
                    << "dt " << dt << " interval " << interval << " update " << update;
            }
        }
    }
}

TEST(ParticleRingSlots, EmissionsRunRoundTheRingAndTheFullPoolGrows) {
    EXPECT_EQ(ParticleRing::emittedFor(false, 5, 100), 0);
    EXPECT_EQ(ParticleRing::emittedFor(true, 1000, 100), 32);
    EXPECT_EQ(ParticleRing::emittedFor(true, 10, 6), 6);
    // Three newborn from slot 18 of 20: slots 18, 19 and 0.
    std::vector<int> born;
    for (int slot = 0; slot < 20; ++slot) {
        if (ParticleRing::bornAt(slot, 18, 3, 20)) born.push_back(slot);
    }
    EXPECT_EQ(born, (std::vector<int>{0, 18, 19}));
    EXPECT_EQ(ParticleRing::nextRingStart(18, 3, 20), 1);
    EXPECT_EQ(ParticleRing::nextRingStart(17, 3, 20), 0);

    EXPECT_EQ(ParticleRing::grownSlots(77, 60, 40, 1), 77) << "a smaller need keeps the pool";
    EXPECT_EQ(ParticleRing::grownSlots(77, 120, 40, 1), 120);
    EXPECT_EQ(ParticleRing::grownSlots(76, 76, 74, 2), 76) << "room for one more emission";
    EXPECT_EQ(ParticleRing::grownSlots(76, 76, 75, 2), 152);
    EXPECT_EQ(ParticleRing::grownSlots(80000, 80000, 80000, 32), 100000);
}

TEST(ParticleRingSlots, CountTheParticlesWithTimeLeft) {
    std::vector<Particle> records(5);
    records[1].type = 1;
    records[1].timeleft = 0.5f;
    records[2].type = 1;         // finished
    records[3].timeleft = 0.5f;  // empty
    records[4].type = 1;
    records[4].timeleft = 1e-6f;
    EXPECT_EQ(ParticleRing::liveSlots(records.data(), 5), 2);
}
