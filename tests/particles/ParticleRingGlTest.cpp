#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "particles/ParticleMath.h"
#include "particles/ParticleRing.h"
#include "particles/ParticleSystem.h"
#include "support/GlContext.h"
#include "tests/particles/ParticleGlSupport.h"

using particle_test::currentSlots;
using particle_test::makeParticle;
using particle_test::quietly;
using particle_test::vec;

namespace {

bool isEmpty(const Particle& record) {
    const Particle zero{};
    return std::memcmp(&record, &zero, sizeof(Particle)) == 0;
}

void expectSameParticle(const Particle& ring, const Particle& desktop, const char* what) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(ring.position[i], desktop.position[i]) << what;
        EXPECT_FLOAT_EQ(ring.velocity[i], desktop.velocity[i]) << what;
        EXPECT_FLOAT_EQ(ring.color[i], desktop.color[i]) << what;
    }
    EXPECT_FLOAT_EQ(ring.lifetime, desktop.lifetime) << what;
    EXPECT_FLOAT_EQ(ring.timeleft, desktop.timeleft) << what;
    EXPECT_FLOAT_EQ(ring.size, desktop.size) << what;
    EXPECT_EQ(ring.type, desktop.type) << what;
}

class ParticleRingUpdate : public testing::Test {
protected:
    GlContext context;
    particle_test::RingPrograms programs;
    ParticleSystem system;
    ParticleRing ring{system};

    // A generator between (1, 2, 3) and (3, 2, 3), as the desktop tests use.
    void start(int particleCount, float interval, float lifetimeMin, float lifetimeMax) {
        quietly([&] {
            system.setGeneratorProperties(
                glm::vec3(1, 2, 3), glm::vec3(3, 2, 3), glm::vec3(-1, 0, -2), glm::vec3(1, 4, 2),
                glm::vec3(0, -2, 0), lifetimeMin, lifetimeMax, 0.25f, 0.75f, interval,
                particleCount, 1, 1, 1, 1.0f, 0, 0.0f, glm::vec3(1, 0.5f, 0.25f), 1.0f);
        });
        ASSERT_TRUE(ring.initialize(programs.update.get(), programs.render.get()));
    }

    // The newborn of a desktop update by `timePassed` from the ring's system
    // as it stands, with the random sequence at `seed`.
    std::vector<Particle> desktopNewborn(unsigned seed, int particleCount, float timePassed) {
        particle_test::Programs desktopPrograms;
        ParticleSystem desktop = system;
        desktop.initialized = false;
        desktop.particleCount = particleCount;
        EXPECT_TRUE(desktop.initialize(desktopPrograms.update.get(), desktopPrograms.render.get()));
        particles::seedRandom(seed);
        desktop.updateParticles(timePassed);
        std::vector<Particle> records = particle_test::liveParticles(desktop);
        records.erase(records.begin());  // the generator
        return records;
    }
};

}  // namespace

TEST_F(ParticleRingUpdate, NewbornMatchTheDesktopPathsForTheSameSeed) {
    start(6, 0.05f, 2.0f, 3.0f);
    EXPECT_EQ(ring.slotCount(), ParticleRing::slotsFor(6, 3.0f, 0.05f));
    EXPECT_EQ(ring.bufferBytes(), 3 * ring.slotCount() * 52);
    const std::vector<Particle> expected = desktopNewborn(4242, 6, 0.01f);
    ASSERT_EQ(expected.size(), 6u);

    particles::seedRandom(4242);
    ASSERT_TRUE(ring.advance(0.01f));
    EXPECT_FLOAT_EQ(system.elapsedTime, 0.01f);
    EXPECT_EQ(ring.ringStart(), 6);
    const std::vector<Particle> slots = currentSlots(ring);
    for (int k = 0; k < 6; ++k) expectSameParticle(slots[k], expected[k], "newborn of one age");
    for (size_t i = 6; i < slots.size(); ++i) EXPECT_TRUE(isEmpty(slots[i])) << i;
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRingUpdate, ParticlesAgeMoveAndLeaveTheirSlotEmpty) {
    start(1, 0.6f, 0.625f, 0.625f);  // the next burst falls due in the fifth update
    const float dt = 0.125f;
    ASSERT_TRUE(ring.advance(dt));
    const Particle born = currentSlots(ring)[0];
    for (int update = 2; update <= 4; ++update) ring.advance(dt);
    const Particle aged = currentSlots(ring)[0];
    const float t = 3 * dt;
    const glm::vec3 gravity(0, -2, 0);
    const glm::vec3 expectedPosition =
        vec(born.position) + vec(born.velocity) * t + 0.5f * gravity * t * t;
    EXPECT_NEAR(glm::distance(vec(aged.position), expectedPosition), 0.0f, 1e-4f);
    EXPECT_NEAR(glm::distance(vec(aged.velocity), vec(born.velocity) + gravity * t), 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(born.timeleft, 0.625f - dt) << "born at the first update's start";
    EXPECT_FLOAT_EQ(aged.timeleft, born.timeleft - t);
    EXPECT_EQ(aged.lifetime, born.lifetime);
    EXPECT_EQ(aged.size, born.size);
    EXPECT_EQ(aged.type, 1);

    ring.advance(dt);  // its time is up, and the next one is born behind it
    const std::vector<Particle> slots = currentSlots(ring);
    EXPECT_TRUE(isEmpty(slots[0]));
    EXPECT_FLOAT_EQ(slots[1].timeleft, 0.625f - (5 * dt - 0.6f));
    for (size_t i = 2; i < slots.size(); ++i) EXPECT_TRUE(isEmpty(slots[i])) << i;
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRingUpdate, EmissionsRunRoundTheRing) {
    // 15 slots sized for five per burst, then four per burst, one burst an
    // update, each batch gone by the next update: the fourth starts at slot 12.
    start(5, 0.4f, 0.3f, 0.3f);
    ASSERT_EQ(ring.slotCount(), 15);
    system.particleCount = 4;
    system.elapsedTime = 0.0f;  // not overdue: one burst an update
    const float dt = 0.41f;
    for (int update = 0; update < 3; ++update) {
        const int from = ring.ringStart();
        ASSERT_TRUE(ring.advance(dt));
        const std::vector<Particle> slots = currentSlots(ring);
        for (int slot = 0; slot < 15; ++slot) {
            EXPECT_EQ(slots[slot].type, ParticleRing::bornAt(slot, from, 4, 15) ? 1 : 0)
                << "update " << update << " slot " << slot;
        }
    }
    ASSERT_EQ(ring.ringStart(), 12);

    const std::vector<Particle> expected = desktopNewborn(99, 4, dt);
    particles::seedRandom(99);
    ring.advance(dt);
    EXPECT_EQ(ring.ringStart(), 1);
    const std::vector<Particle> slots = currentSlots(ring);
    expectSameParticle(slots[12], expected[0], "slot 12");
    expectSameParticle(slots[13], expected[1], "slot 13");
    expectSameParticle(slots[14], expected[2], "slot 14");
    expectSameParticle(slots[0], expected[3], "slot 0, past the end");
    EXPECT_EQ(ring.slotCount(), 15);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRingUpdate, TheCountArrivesAnUpdateLateWithoutWaiting) {
    start(2, 0.045f, 5.0f, 5.0f);
    EXPECT_FALSE(ring.advance(0.0f)) << "a frozen scene is not advanced";
    EXPECT_FLOAT_EQ(system.elapsedTime, 0.8f);
    ASSERT_TRUE(ring.advance(0.1f));
    EXPECT_EQ(ring.alive(), 0) << "nothing counted yet";
    for (int update = 1; update <= 3; ++update) {
        const int held = ParticleRing::liveSlots(currentSlots(ring).data(), ring.slotCount());
        ParticleRing::countAll({&ring});
        glFinish();
        ASSERT_TRUE(ring.advance(0.1f));
        EXPECT_EQ(ring.alive(), held) << "the update before this one";
        EXPECT_GT(ParticleRing::liveSlots(currentSlots(ring).data(), ring.slotCount()), held);
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRingUpdate, LongerLivesGrowThePoolAndKeepTheParticlesInOrder) {
    start(2, 0.5f, 2.0f, 2.0f);
    const int before = ring.slotCount();
    system.elapsedTime = 0.0f;  // not overdue: one burst an update
    for (int update = 0; update < 2; ++update) ring.advance(0.6f);  // two batches alive
    const int ringStart = ring.ringStart();
    const std::vector<Particle> old = currentSlots(ring);

    system.genLifetime_Min = 6.0f;  // as fire::tune sets it
    const float dt = 0.35f;
    const std::vector<Particle> expected = desktopNewborn(7, 2, dt);
    particles::seedRandom(7);
    ASSERT_TRUE(ring.advance(dt));
    EXPECT_EQ(ring.slotCount(), ParticleRing::slotsFor(2, 6.0f, 0.5f));
    EXPECT_EQ(ring.ringStart(), before + 2);

    // The old slots from the ring position on come first, each aged once.
    const std::vector<Particle> slots = currentSlots(ring);
    for (int j = 0; j < before; ++j) {
        const Particle& was = old[static_cast<size_t>((ringStart + j) % before)];
        EXPECT_EQ(slots[j].lifetime, was.lifetime) << j;
        if (!isEmpty(was)) {
            EXPECT_FLOAT_EQ(slots[j].timeleft, was.timeleft - dt) << j;
        }
    }
    EXPECT_EQ(ParticleRing::liveSlots(slots.data(), before), 4);
    expectSameParticle(slots[before], expected[0], "the first newborn after the old slots");
    expectSameParticle(slots[before + 1], expected[1], "the second");
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRingUpdate, AFullPoolDoublesOnceTheCountShowsIt) {
    start(2, 0.3f, 0.9f, 0.9f);
    const int slots = ring.slotCount();
    // Every slot alive for long, as after a burst the settings did not foresee.
    particle_test::writeSlots(ring, std::vector<Particle>(static_cast<size_t>(slots),
                                                          makeParticle(glm::vec3(0), 0.1f,
                                                                       100.0f, 100.0f)));
    ASSERT_TRUE(ring.advance(0.01f));  // overwrites the two oldest
    ParticleRing::countAll({&ring});
    glFinish();
    ASSERT_TRUE(ring.advance(0.3f));  // the full pool's count arrives; two more born
    EXPECT_EQ(ring.alive(), slots);
    EXPECT_EQ(ring.slotCount(), 2 * slots);
    EXPECT_EQ(ring.ringStart(), slots + 2);
    EXPECT_EQ(ParticleRing::liveSlots(currentSlots(ring).data(), ring.slotCount()), slots + 2);
    EXPECT_TRUE(context.errors().empty());
}

namespace {

const glm::vec4 kBlack(0, 0, 0, 1);

// The desktop system and the ring over it, drawing the same records.
class ParticleRingRender : public testing::Test {
protected:
    GlContext context;
    particle_test::Programs desktopPrograms;
    particle_test::RingPrograms programs;
    particle_test::Target target{64, 64};
    ParticleSystem system;
    ParticleRing ring{system};

    void SetUp() override {
        quietly([&] {
            system.setGeneratorProperties(glm::vec3(0), glm::vec3(0), glm::vec3(0), glm::vec3(0),
                                          glm::vec3(0), 1.0f, 1.0f, 1.0f, 1.0f, 0.05f, 1, 1, 1, 1,
                                          1.0f, 0, 0.0f, glm::vec3(1), 1.0f);
        });
        ASSERT_TRUE(system.initialize(desktopPrograms.update.get(), desktopPrograms.render.get()));
        ASSERT_TRUE(ring.initialize(programs.update.get(), programs.render.get()));
        system.setTexture(
            particle_test::makeTexture(16, 16, particle_test::quadrantImage(), GL_NEAREST));
        system.setMatrices(glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f),
                           glm::vec3(0, 0, 5), glm::vec3(0), glm::vec3(0, 1, 0));
        target.clear(kBlack);
    }

    int litPixels() const {
        const std::vector<unsigned char> pixels = target.pixels();
        int lit = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) {
            lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0 ? 1 : 0;
        }
        return lit;
    }
};

}  // namespace

TEST_F(ParticleRingRender, EmptyAndFinishedSlotsDrawNothing) {
    // Added whatever its strength, so that even a faded-out quad would show.
    system.alphaType = 2;
    glBlendFunc(GL_ONE, GL_ONE);
    Particle empty = makeParticle(glm::vec3(0), 1.0f, 1.0f, 0.5f);
    empty.type = 0;
    particle_test::writeSlots(ring, {empty, makeParticle(glm::vec3(0), 1.0f, 1.0f, 0.0f)});
    ring.render();
    EXPECT_EQ(litPixels(), 0);

    particle_test::writeSlots(ring, {makeParticle(glm::vec3(0), 1.0f, 1.0f, 0.5f)});
    ring.render();
    EXPECT_GT(litPixels(), 500) << "the same particle alive covers the middle";
    EXPECT_TRUE(context.errors().empty());
}

// Places, cells, colours, fades, warmth and blending as the desktop path draws them.
TEST_F(ParticleRingRender, DrawsWhatTheDesktopPathDraws) {
    struct Case {
        int alphaType;
        int frames;
        float speed, blendDelay, alpha;
    };
    const Case cases[] = {{0, 4, 1.0f, 0.25f, 0.8f},
                          {1, 4, 0.5f, 0.1f, 0.6f},
                          {0, 3, 2.0f, 0.0f, 1.0f},
                          {1, 1, 1.0f, 0.0f, 0.45f}};
    const float shares[] = {0.02f, 0.15f, 0.3f, 0.45f, 0.6f, 0.75f, 0.9f, 0.98f};
    for (const Case& c : cases) {
        system.alphaType = c.alphaType;
        system.animRows = system.animCols = c.frames == 1 ? 1 : 2;
        system.animFrames = c.frames;
        system.animSpeed = c.speed;
        system.blendDelay = c.blendDelay;
        system.alpha = c.alpha;
        std::vector<Particle> records;
        for (int i = 0; i < 8; ++i) {
            const float life = 1.0f + 0.1f * i;
            records.push_back(makeParticle(glm::vec3(-1.4f + 0.4f * i, 0.3f * (i % 3) - 0.3f,
                                                     -0.1f * i),
                                           0.5f, life, life * (1.0f - shares[i]),
                                           glm::vec3(1.0f, 0.3f + 0.1f * i, 0.25f)));
        }
        particle_test::writeSlots(ring, records);
        records.insert(records.begin(), Particle{});  // the desktop generator
        particle_test::writeParticles(system, records);

        target.clear(kBlack);
        system.renderParticles();
        const std::vector<unsigned char> desktop = target.pixels();
        target.clear(kBlack);
        ring.render();
        const std::vector<unsigned char> ours = target.pixels();
        int differing = 0, worst = 0;  // pixels, and the largest step of a channel
        for (size_t i = 0; i < ours.size(); i += 4) {
            int pixelWorst = 0;
            for (size_t channel = i; channel < i + 4; ++channel)
                pixelWorst = std::max(pixelWorst, std::abs(ours[channel] - desktop[channel]));
            differing += pixelWorst > 0 ? 1 : 0;
            worst = std::max(worst, pixelWorst);
        }
        // Equal sums taken in another order may round a channel one step apart.
        EXPECT_LE(worst, 1) << "alpha type " << c.alphaType << " frames " << c.frames;
        EXPECT_LT(differing, litPixels() / 10) << "alpha type " << c.alphaType;
        EXPECT_GT(litPixels(), 400) << "the picture shows the particles";
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRingRender, BlendsAsTheDesktopPathAndRestoresTheState) {
    particle_test::writeSlots(ring, {makeParticle(glm::vec3(0), 1.0f, 1.0f, 0.5f)});
    const GLenum expected[2][2] = {{GL_SRC_ALPHA, GL_ONE}, {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}};
    for (int type = 0; type < 2; ++type) {
        system.alphaType = type;
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        glBlendFunc(GL_ONE, GL_ZERO);
        ring.render();
        GLint source = 0, destination = 0;
        GLboolean depthMask = GL_FALSE;
        glGetIntegerv(GL_BLEND_SRC_RGB, &source);
        glGetIntegerv(GL_BLEND_DST_RGB, &destination);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << type;
        EXPECT_TRUE(depthMask) << type;
        EXPECT_EQ(static_cast<GLenum>(source), expected[type][0]) << type;
        EXPECT_EQ(static_cast<GLenum>(destination), expected[type][1]) << type;
    }
    // Depth-tested against the scene without writing depth.
    glEnable(GL_DEPTH_TEST);
    target.clear(kBlack);
    ring.render();
    EXPECT_GT(litPixels(), 500);
    EXPECT_EQ(target.depth(32, 32), 1.0f);
    glDisable(GL_DEPTH_TEST);
    EXPECT_TRUE(context.errors().empty());
}
