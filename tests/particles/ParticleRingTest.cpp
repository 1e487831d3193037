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
        {1, 3.0f, 0.05f, 62},         // sparks: 3 / 0.05 bursts, and two more
        {2, 1.0f, 0.1f, 24},          // flames: 2 x (10 + 2)
        {40, 0.1f, 0.4f, 96},         // at most 32 per burst, 3 bursts
        {0, 1.0f, 0.5f, 4},           // none per burst: still room for one a burst
        {1, -1.0f, 0.4f, 2},          // no life: the two spare bursts only
        {1, 1.0f, 0.0f, 203},         // the shortest interval: 0.005 (in float, a hair less)
        {32, 20.0f, 0.005f, 100000},  // the settings' extremes: capped
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParticleRing::slotsFor(c.perEmission, c.longestLife, c.interval), c.slots)
            << c.perEmission << " per " << c.interval << " s, living " << c.longestLife;
    }
}

// A model of the pool: the update's newborn take the slots from the ring
// position on, each living from its burst's moment, and no newborn ever
// takes the slot of a particle still alive, at any frame rate, after a gap or
// a stall, with the pool sized as slotsFor sizes it.
TEST(ParticleRingSlots, NoRunOfUpdatesTakesALiveParticlesSlot) {
    const float frames[] = {1.0f / 200.0f, 1.0f / 60.0f, 1.0f / 13.0f, 1.0f / 8.0f, 0.7f};
    for (float dt : frames) {
        for (float interval : {0.01f, 0.05f, 0.3f}) {
            for (float life : {0.1f, 0.7f, 3.0f}) {
                const int perBurst = 2;
                const int slots = ParticleRing::slotsFor(perBurst, life, interval);
                std::vector<double> endsAt(static_cast<size_t>(slots), -1.0);  // empty
                int ringStart = 0, newborn = 0;
                float elapsed = ParticleSystem::kFirstEmissionTime;
                double now = 0.0;
                for (int update = 0; update < 400; ++update) {
                    // Now and then a stall of two seconds.
                    const float frame = update % 97 == 96 ? 2.0f : dt;
                    now += frame;
                    const particles::EmissionPlan plan = ParticleRing::fitted(
                        particles::planEmission(elapsed, frame, interval), perBurst, slots);
                    elapsed = plan.elapsedTime;
                    const int emitted = plan.bursts * perBurst;
                    ASSERT_LE(emitted, slots);
                    for (int k = 0; k < emitted; ++k) {
                        const auto slot = static_cast<size_t>((ringStart + k) % slots);
                        ASSERT_LE(endsAt[slot], now + 1e-6)
                            << "dt " << dt << " interval " << interval << " life " << life
                            << " update " << update << ": a live particle is overwritten";
                        endsAt[slot] = now - plan.age(k / perBurst) + life;
                    }
                    newborn += emitted;
                    ringStart = ParticleRing::nextRingStart(ringStart, emitted, slots);
                }
                EXPECT_GT(newborn, 0);
            }
        }
    }
}

TEST(ParticleRingSlots, EmissionsRunRoundTheRingAndTheFullPoolGrows) {
    // The youngest bursts the pool has room for: three of two in seven slots.
    const particles::EmissionPlan plan = particles::planEmission(0.0f, 0.055f, 0.01f);
    ASSERT_EQ(plan.bursts, 5);
    const particles::EmissionPlan fitted = ParticleRing::fitted(plan, 2, 7);
    EXPECT_EQ(fitted.bursts, 3);
    EXPECT_FLOAT_EQ(fitted.age(2), plan.age(4));
    EXPECT_EQ(ParticleRing::fitted(plan, 0, 7).bursts, 5) << "none per burst: nothing to fit";
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
    EXPECT_EQ(ParticleRing::grownSlots(76, 76, 74, 2), 76) << "room for one more burst";
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
