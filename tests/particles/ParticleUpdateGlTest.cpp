#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "particles/ParticleMath.h"
#include "particles/ParticleSystem.h"
#include "support/GlContext.h"
#include "tests/particles/ParticleGlSupport.h"

using particle_test::liveParticles;
using particle_test::quietly;
using particle_test::vec;

namespace {

class ParticleUpdate : public testing::Test {
protected:
    GlContext context;
    particle_test::Programs programs;
    ParticleSystem system;

    // A generator between (1, 2, 3) and (3, 2, 3); lifetimes and sizes fixed
    // unless a range is given.
    void configure(int particleCount, float interval, float lifetimeMin, float lifetimeMax) {
        quietly([&] {
            system.setGeneratorProperties(
                glm::vec3(1, 2, 3), glm::vec3(3, 2, 3), glm::vec3(-1, 0, -2), glm::vec3(1, 4, 2),
                glm::vec3(0, -2, 0), lifetimeMin, lifetimeMax, 0.25f, 0.75f, interval,
                particleCount, 1, 1, 1, 1.0f, 0, 0.0f, glm::vec3(1, 0.5f, 0.25f), 1.0f);
        });
    }

    void initialize() {
        ASSERT_TRUE(system.initialize(programs.update.get(), programs.render.get()));
    }
};

bool isZeroRecord(const Particle& record) {
    const Particle zero{};
    return std::memcmp(&record, &zero, sizeof(Particle)) == 0;
}

}  // namespace

TEST_F(ParticleUpdate, InitializeWritesTheGeneratorIntoBothBuffers) {
    configure(1, 0.05f, 1.0f, 1.0f);
    initialize();
    EXPECT_TRUE(system.initialized);
    EXPECT_EQ(system.numParticles, 1);
    EXPECT_EQ(system.currentBuffer, 0);
    EXPECT_EQ(system.updateShader, programs.update.get());
    EXPECT_EQ(system.renderShader, programs.render.get());
    EXPECT_NE(system.transformFeedback, 0u);
    EXPECT_NE(system.primitivesQuery, 0u);

    struct Expected {
        GLint size;
        GLenum type;
        GLintptr offset;
    };
    const Expected layout[7] = {{3, GL_FLOAT, 0},  {3, GL_FLOAT, 12}, {3, GL_FLOAT, 24},
                                {1, GL_FLOAT, 36}, {1, GL_FLOAT, 40}, {1, GL_FLOAT, 44},
                                {1, GL_INT, 48}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(isZeroRecord(particle_test::readParticles(system, i, 1)[0])) << "buffer " << i;
        glBindBuffer(GL_ARRAY_BUFFER, system.particleBuffers[i]);
        GLint bytes = 0, usage = 0;
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
        EXPECT_EQ(bytes, 5200000);
        EXPECT_EQ(usage, GL_DYNAMIC_DRAW);

        glBindVertexArray(system.vertexArrays[i]);
        for (GLuint location = 0; location < 7; ++location) {
            GLint enabled = 0, size = 0, type = 0, stride = 0, normalized = 1, integer = 1,
                  buffer = 0;
            void* offset = nullptr;
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_TYPE, &type);
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalized);
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_INTEGER, &integer);
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &buffer);
            glGetVertexAttribPointerv(location, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
            EXPECT_TRUE(enabled);
            EXPECT_EQ(size, layout[location].size) << location;
            EXPECT_EQ(static_cast<GLenum>(type), layout[location].type) << location;
            EXPECT_EQ(stride, 52);
            EXPECT_FALSE(normalized);
            EXPECT_FALSE(integer) << "the type is read through the float path";
            EXPECT_EQ(static_cast<GLuint>(buffer), system.particleBuffers[i]);
            EXPECT_EQ(reinterpret_cast<GLintptr>(offset), layout[location].offset) << location;
        }
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    // A second initialize changes nothing.
    const GLuint buffers[2] = {system.particleBuffers[0], system.particleBuffers[1]};
    system.numParticles = 7;
    EXPECT_FALSE(system.initialize(programs.update.get(), programs.render.get()));
    EXPECT_EQ(system.particleBuffers[0], buffers[0]);
    EXPECT_EQ(system.particleBuffers[1], buffers[1]);
    EXPECT_EQ(system.numParticles, 7);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, FirstUpdateEmitsAtOnceWithinTheGeneratorRanges) {
    configure(6, 0.05f, 2.0f, 3.0f);
    initialize();
    system.updateParticles(0.0f);
    ASSERT_EQ(system.numParticles, 7);
    EXPECT_EQ(system.currentBuffer, 1);
    EXPECT_EQ(system.elapsedTime, 0.0f) << "overdue: the count starts over";

    const std::vector<Particle> records = liveParticles(system);
    EXPECT_TRUE(isZeroRecord(records[0])) << "the generator is written back first, unchanged";
    for (size_t i = 1; i < records.size(); ++i) {
        const Particle& p = records[i];
        EXPECT_EQ(p.type, 1);
        // On the segment from (1, 2, 3) to (3, 2, 3).
        EXPECT_GE(p.position[0], 1.0f);
        EXPECT_LE(p.position[0], 3.0f);
        EXPECT_FLOAT_EQ(p.position[1], 2.0f);
        EXPECT_FLOAT_EQ(p.position[2], 3.0f);
        const glm::vec3 velocity = vec(p.velocity);
        EXPECT_TRUE(glm::all(glm::greaterThanEqual(velocity, glm::vec3(-1, 0, -2))));
        EXPECT_TRUE(glm::all(glm::lessThanEqual(velocity, glm::vec3(1, 4, 2))));
        EXPECT_EQ(vec(p.color), glm::vec3(1, 0.5f, 0.25f));
        EXPECT_GE(p.lifetime, 2.0f);
        EXPECT_LE(p.lifetime, 3.0f);
        EXPECT_EQ(p.timeleft, p.lifetime);
        EXPECT_GE(p.size, 0.25f);
        EXPECT_LE(p.size, 0.75f);
        for (size_t j = 1; j < i; ++j) {
            EXPECT_NE(std::memcmp(&records[j], &p, sizeof(Particle)), 0)
                << "particles " << j << " and " << i << " of one emission are alike";
        }
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, ParticlesAgeMoveAndDieWhileTheGeneratorSurvives) {
    // The start value emits once; the next burst falls due in the fifth update.
    configure(1, 0.6f, 0.5f, 0.5f);
    initialize();
    system.updateParticles(0.0f);
    ASSERT_EQ(system.numParticles, 2);
    const Particle born = liveParticles(system)[1];

    const float dt = 0.125f;
    for (int update = 1; update <= 3; ++update) system.updateParticles(dt);
    ASSERT_EQ(system.numParticles, 2);
    const Particle aged = liveParticles(system)[1];
    const float t = 3 * dt;
    const glm::vec3 gravity(0, -2, 0);
    const glm::vec3 expectedPosition =
        vec(born.position) + vec(born.velocity) * t + 0.5f * gravity * t * t;
    EXPECT_NEAR(glm::distance(vec(aged.position), expectedPosition), 0.0f, 1e-4f);
    EXPECT_NEAR(glm::distance(vec(aged.velocity), vec(born.velocity) + gravity * t), 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(aged.timeleft, 0.5f - t);
    EXPECT_EQ(aged.lifetime, born.lifetime);
    EXPECT_EQ(aged.size, born.size);
    EXPECT_EQ(aged.type, 1);

    system.updateParticles(dt);  // its time is up
    EXPECT_EQ(system.numParticles, 1);
    EXPECT_TRUE(isZeroRecord(liveParticles(system)[0]));
    system.updateParticles(dt);  // the generator still emits
    EXPECT_EQ(system.numParticles, 2);
    EXPECT_FLOAT_EQ(liveParticles(system)[1].timeleft, 0.5f - (5 * dt - 0.6f))
        << "born inside the frame, as old as the time since";
    EXPECT_TRUE(context.errors().empty());
}

// A long frame emits every burst that fell due in it, each newborn aged from
// its burst's moment and moved along its path: a stream, not a clump.
TEST_F(ParticleUpdate, ALongFrameEmitsEveryBurstAlongItsPath) {
    configure(2, 0.01f, 1.0f, 1.0f);
    initialize();
    system.updateParticles(0.0f);
    system.updateParticles(0.125f);  // bursts at 0.01, 0.02, ... 0.12 s into it
    ASSERT_EQ(system.numParticles, 1 + 2 + 2 * 12);
    const std::vector<Particle> records = liveParticles(system);
    std::vector<float> ages;
    for (int i = 1; i <= 24; ++i) {
        const Particle& p = records[static_cast<size_t>(i)];
        const float age = p.lifetime - p.timeleft;
        ages.push_back(age);
        // Moved from the segment (y = 2, z = 3) under gravity (0, -2, 0).
        const glm::vec3 start = vec(p.velocity) - glm::vec3(0, -2, 0) * age;
        EXPECT_NEAR(p.position[1], 2.0f + start.y * age - age * age, 1e-5f) << i;
        EXPECT_NEAR(p.position[2], 3.0f + start.z * age, 1e-5f) << i;
        EXPECT_GE(start.y, 0.0f - 1e-5f);
        EXPECT_LE(start.y, 4.0f + 1e-5f);
    }
    for (int burst = 0; burst < 12; ++burst) {
        const float age = 0.115f - 0.01f * burst;  // the oldest first
        EXPECT_NEAR(ages[2 * burst], age, 1e-5f) << burst;
        EXPECT_NEAR(ages[2 * burst + 1], age, 1e-5f) << burst;
    }
    // Where on the segment each burst's first newborn started: each burst draws its own seed.
    const auto startX = [&](int burst) {
        const Particle& p = records[static_cast<size_t>(2 * burst + 1)];
        return p.position[0] - p.velocity[0] * (p.lifetime - p.timeleft);
    };
    for (int burst = 1; burst < 12; ++burst) {
        EXPECT_GT(std::abs(startX(burst) - startX(burst - 1)), 1e-4f) << burst;
    }
    EXPECT_NEAR(system.elapsedTime, 0.005f, 1e-5f);
    // The seed table holds as many bursts as an update may emit.
    GLint size = 0;
    GLenum type = 0;
    const GLuint program = programs.update->program;
    GLuint index = GL_INVALID_INDEX;
    const char* name = "randomSeed[0]";
    glGetUniformIndices(program, 1, &name, &index);
    ASSERT_NE(index, GL_INVALID_INDEX);
    glGetActiveUniform(program, index, 0, nullptr, &size, &type, nullptr);
    EXPECT_EQ(size, particles::kMaxBursts);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, ARunOfUpdatesHoldsWhatTimingAndLifetimesImply) {
    const float dt = 0.125f, interval = 0.25f, lifetime = 0.5f;
    const int perEmission = 2;
    configure(perEmission, interval, lifetime, lifetime);
    initialize();

    // Model: the time each emitted batch has left, aged exactly as the GPU does.
    std::vector<float> batches;
    float elapsed = system.elapsedTime;
    for (int update = 0; update < 24; ++update) {
        const float timePassed = update == 0 ? 0.0f : dt;
        std::vector<float> survivors;
        for (float left : batches) {
            if (left - timePassed > 0.0f) survivors.push_back(left - timePassed);
        }
        batches = survivors;
        const particles::EmissionPlan plan =
            particles::planEmission(elapsed, timePassed, interval);
        elapsed = plan.elapsedTime;
        for (int burst = 0; burst < plan.bursts; ++burst) {
            if (lifetime - plan.age(burst) > 0.0f) batches.push_back(lifetime - plan.age(burst));
        }

        system.updateParticles(timePassed);
        const int expected = 1 + perEmission * static_cast<int>(batches.size());
        ASSERT_EQ(system.numParticles, expected) << "update " << update;
        const std::vector<Particle> records = liveParticles(system);
        int alive = 0;
        for (const Particle& record : records)
            alive += (record.type == 1 && record.timeleft > 0.0f) ? 1 : 0;
        EXPECT_EQ(alive, expected - 1) << "update " << update;
        EXPECT_EQ(records[0].type, 0);
    }
    // One burst every two updates, each living four updates less the time
    // from its moment: two batches alive after an odd update.
    EXPECT_EQ(system.numParticles, 1 + 2 * perEmission);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, TwoUpdatesReturnToTheStartingBuffer) {
    configure(1, 0.05f, 1.0f, 1.0f);
    initialize();
    system.updateParticles(0.01f);
    EXPECT_EQ(system.currentBuffer, 1);
    system.updateParticles(0.01f);
    EXPECT_EQ(system.currentBuffer, 0);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, AFrameWithoutEmissionSendsNoCountAndKeepsTheSeed) {
    configure(3, 0.5f, 1.0f, 1.0f);
    initialize();
    const GLuint program = programs.update->program;
    auto countUniform = [&] {
        GLint value = -1;
        glGetUniformiv(program, glGetUniformLocation(program, "particleCount"), &value);
        return value;
    };
    auto seedUniform = [&] {
        glm::vec3 value(99.0f);
        glGetUniformfv(program, glGetUniformLocation(program, "randomSeed"), &value.x);
        return value;
    };

    particles::seedRandom(2024);
    const int first = particles::drawRandom(), second = particles::drawRandom(),
              third = particles::drawRandom();
    const glm::vec3 expectedSeed = particles::seedFromDraws(first, second, third);
    particles::seedRandom(2024);
    system.updateParticles(0.0f);  // 0.8 > 0.5: emits
    EXPECT_EQ(countUniform(), 3);
    EXPECT_EQ(seedUniform(), expectedSeed);
    EXPECT_EQ(system.numParticles, 4);

    system.updateParticles(0.1f);  // 0.1 since the first: nothing due
    EXPECT_EQ(countUniform(), 0);
    EXPECT_EQ(seedUniform(), expectedSeed);
    EXPECT_EQ(system.numParticles, 4);

    system.updateParticles(0.45f);  // 0.55: emits with a fresh seed
    EXPECT_EQ(countUniform(), 3);
    EXPECT_NE(seedUniform(), expectedSeed);
    EXPECT_EQ(system.numParticles, 7);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, OneUpdateEmitsAtMostThirtyTwo) {
    configure(1000, 0.05f, 1.0f, 1.0f);
    initialize();
    system.updateParticles(0.0f);
    EXPECT_EQ(system.numParticles, 1 + 32);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, TheBuffersNeverHoldMoreThanAHundredThousandRecords) {
    configure(5, 0.001f, 1.0f, 1.0f);
    initialize();
    // A full buffer of long-lived particles behind the generator.
    std::vector<Particle> full(ParticleSystem::kMaxParticles,
                               particle_test::makeParticle(glm::vec3(0), 0.1f, 100.0f, 100.0f));
    full[0] = Particle{};
    particle_test::writeParticles(system, full);

    system.updateParticles(0.0f);
    EXPECT_EQ(system.numParticles, ParticleSystem::kMaxParticles);
    std::vector<Particle> records = liveParticles(system);
    EXPECT_TRUE(isZeroRecord(records[0])) << "the generator comes first and is always kept";
    EXPECT_EQ(records[1].lifetime, 1.0f) << "the newborn follow it";

    system.updateParticles(0.01f);
    EXPECT_EQ(system.numParticles, ParticleSystem::kMaxParticles);
    EXPECT_TRUE(isZeroRecord(liveParticles(system)[0]));
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, AnUpdateProgramThatFailedToLinkLeavesTheSystemUntouched) {
    graph::Shader broken;
    ASSERT_TRUE(particle_test::makeUnlinkedProgram(broken));

    configure(2, 0.05f, 1.0f, 1.0f);
    ASSERT_TRUE(system.initialize(&broken, programs.render.get()));
    system.updateParticles(0.5f);
    EXPECT_EQ(system.numParticles, 1);
    EXPECT_EQ(system.currentBuffer, 0);
    EXPECT_FLOAT_EQ(system.elapsedTime, 0.8f);
    GLboolean discard = GL_TRUE;
    glGetBooleanv(GL_RASTERIZER_DISCARD, &discard);
    EXPECT_FALSE(discard);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleUpdate, MissingProgramsMakeUpdateAndRenderNoOps) {
    configure(2, 0.05f, 1.0f, 1.0f);
    graph::Shader empty;  // an unregistered slot: no program
    ASSERT_TRUE(system.initialize(&empty, nullptr));
    system.updateParticles(0.5f);
    system.renderParticles();
    EXPECT_EQ(system.numParticles, 1);
    EXPECT_FLOAT_EQ(system.elapsedTime, 0.8f);
    EXPECT_TRUE(context.errors().empty());
}
