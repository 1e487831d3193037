#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "game/Settings.h"
#include "particles/FireEmitters.h"
#include "particles/ParticleMath.h"
#include "particles/ParticleRing.h"
#include "particles/ParticleSystem.h"
#include "support/GlContext.h"
#include "tests/particles/ParticleGlSupport.h"

// The same fire at every frame rate: each kind of the fire's bundle, with its
// settings as the scene starts, run for 8 s of scene time at fixed frame
// times from 1/200 to 1/8 s, on both paths. Each kind runs on its own from
// one seed, so that its bursts draw the same seeds at every frame rate: what
// differs is only when each burst is emitted and how far it is aged.

namespace {

constexpr float kSeconds = 8.0f;
const float kFrameTimes[] = {1.0f / 200.0f, 1.0f / 60.0f, 1.0f / 13.0f, 1.0f / 8.0f};

ParticleSystem bundleSystem(int kind) {
    const fire::EmitterSettings& s = fire::kBundle[static_cast<size_t>(kind)];
    const ParticleSettings t = Settings().particles[static_cast<size_t>(kind)];
    ParticleSystem system;
    particle_test::quietly([&] {
        system.setGeneratorProperties(glm::vec3(0, 1, 0), glm::vec3(0, 3, 0), s.velocityMin,
                                      s.velocityMax, s.gravity, t.life.x, t.life.y, t.size.x,
                                      t.size.y, t.interval, s.particleCount, s.animRows,
                                      s.animCols, s.animFrames, s.animSpeed, s.alphaType,
                                      s.blendDelay, s.color, s.alpha);
    });
    return system;
}

// Alive after kSeconds, advancing by `dt` with `advance`, counted by `count`.
int aliveAfter(float dt, const std::function<void(float)>& advance,
               const std::function<int()>& count) {
    const int updates = static_cast<int>(std::lround(kSeconds / dt));
    for (int update = 0; update < updates; ++update) advance(dt);
    return count();
}

void expectTheSameFire(const char* path, const std::function<int(int, float)>& alive) {
    for (int kind = 0; kind < kParticleKinds; ++kind) {
        std::vector<int> counts;
        for (float dt : kFrameTimes) {
            particles::seedRandom(1 + static_cast<unsigned>(kind));
            counts.push_back(alive(kind, dt));
        }
        for (size_t i = 1; i < counts.size(); ++i) {
            EXPECT_NEAR(counts[i], counts[0], 0.1 * counts[0])
                << path << ", kind " << kind << ": at 1/" << std::lround(1.0f / kFrameTimes[i])
                << " s against 1/200 s";
        }
        EXPECT_GT(counts[0], 20) << path << ", kind " << kind;
    }
}

}  // namespace

TEST(FireAtEveryFrameRate, TheDesktopPathHoldsTheSameParticlesPerKind) {
    GlContext context;
    particle_test::Programs programs;
    expectTheSameFire("desktop", [&](int kind, float dt) {
        ParticleSystem system = bundleSystem(kind);
        EXPECT_TRUE(system.initialize(programs.update.get(), programs.render.get()));
        return aliveAfter(
            dt, [&](float seconds) { system.updateParticles(seconds); },
            [&] { return system.numParticles - 1; });  // less the generator
    });
    EXPECT_TRUE(context.errors().empty());
}

TEST(FireAtEveryFrameRate, TheEsPoolHoldsTheSameParticlesPerKind) {
    GlContext context;
    particle_test::RingPrograms programs;
    expectTheSameFire("ES", [&](int kind, float dt) {
        ParticleSystem system = bundleSystem(kind);
        ParticleRing ring(system);
        EXPECT_TRUE(ring.initialize(programs.update.get(), programs.render.get()));
        return aliveAfter(
            dt, [&](float seconds) { ring.advance(seconds); },
            [&] {
                const std::vector<Particle> slots = particle_test::currentSlots(ring);
                return ParticleRing::liveSlots(slots.data(), ring.slotCount());
            });
    });
    EXPECT_TRUE(context.errors().empty());
}
