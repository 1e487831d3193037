#pragma once
#include <GL/glew.h>

#include <memory>
#include <vector>

#include "GraphicsEngine/UniformLocations.h"
#include "particles/ParticleMath.h"
#include "particles/ParticleUniforms.h"
#include "particles/ParticleSystem.h"

namespace graph {
class Shader;
}

// One ParticleSystem's particles the OpenGL ES 3.0 way, without geometry
// shaders or glDrawTransformFeedback: a fixed pool of slots, sized from what
// the system can hold alive, in two ping-ponged buffers of Particle records.
// An update captures one vertex per slot (vertex stage only): the slots of a
// ring position the CPU moves on by each emission take the newborn, the other
// live slots age, and finished ones become empty (type 0; there is no
// generator record). An update's newborn are those of every burst due in its
// time (particles/ParticleMath.h), as on the desktop path. A draw is one
// instanced quad per slot; empty slots draw nothing. Every generator value,
// texture and matrix is read from the system served, and its emission
// accumulator is the one advanced, so tuning and camera updates reach the
// ring as they reach the desktop path. A system is advanced by one path
// only: the other would spend its accumulator twice.
//
// Counting, without waiting: once the frame's particles are drawn, countAll
// copies the live buffer of each ring with no read-back in flight into a
// third, read-back buffer, and one fence follows. Each later advance polls
// that fence (glClientWaitSync with a timeout of 0, unflushed: the frame's
// end flushes); once it has signalled, the copy is mapped for reading
// (glMapBufferRange) and its live slots counted into alive(); until then the
// last count stays. The count is therefore at least one update late, and as
// late as the GPU runs behind.
class ParticleRing {
public:
    // The most slots a pool grows to: the desktop path's record limit.
    static constexpr int kMaxSlots = ParticleSystem::kMaxParticles;

    // Slots enough for every particle alive at once, at any frame rate: a
    // slot is taken again only after the slots of all the bursts since, and
    // those bursts span at least longestLife once there are enough of them
    // (bursts follow the clock, and an update's newborn older than their life
    // are dead at birth). Two bursts more, for rounding and the burst in
    // progress; capped at kMaxSlots.
    static int slotsFor(int perEmission, float longestLife, float interval);
    // The plan's youngest bursts that the pool has room for in one update:
    // any older ones are past their life already (see slotsFor).
    static particles::EmissionPlan fitted(particles::EmissionPlan plan, int perBurst,
                                          int slotCount);
    // Whether `slot` takes a newborn when `emitted` are born from ringStart on
    // (the update program's test).
    static bool bornAt(int slot, int ringStart, int emitted, int slotCount);
    // The ring position after an emission.
    static int nextRingStart(int ringStart, int emitted, int slotCount);
    // The pool to use next: `wanted` (the settings' need) when it is larger,
    // twice the pool when the last count leaves no room for one more burst
    // (records the settings did not foresee); capped at kMaxSlots.
    static int grownSlots(int slotCount, int wanted, int alive, int perEmission);
    // Live records among `count`: a particle type with time left.
    static int liveSlots(const Particle* records, int count);

    explicit ParticleRing(ParticleSystem& system);
    ~ParticleRing();
    ParticleRing(const ParticleRing&) = delete;
    ParticleRing& operator=(const ParticleRing&) = delete;

    // Creates the GL objects, the pool sized for the system's settings now;
    // false (and nothing done) when already initialised. The programs are
    // "ps_update_es" (Stages::VertexCapture) and "ps_render_es" (Stages::Two),
    // not owned.
    bool initialize(graph::Shader* updateProgram, graph::Shader* renderProgram);
    // Advances the particles by timePassed seconds on the GPU. False, and
    // nothing changed, without a linked update program or when no time passed
    // (a frozen scene).
    bool advance(float timePassed);
    // Draws the live slots as camera-facing sprites, blended as the desktop
    // path blends them.
    void render();

    int alive() const { return alive_; }
    // What the pool's buffers hold on the GPU: both slot buffers and the
    // read-back copy.
    GLsizeiptr bufferBytes() const;
    int slotCount() const { return slotCount_; }
    int ringStart() const { return ringStart_; }
    int currentBuffer() const { return current_; }  // the buffer with the live slots
    GLuint buffer(int index) const { return buffers_[index]; }
    bool countPending() const { return fence_ != nullptr; }

    // Starts the count of every ring given whose last count has arrived: a
    // copy of its live buffer each, then one fence over them all. Called once
    // the frame's particles are drawn: a software renderer pays for a fence,
    // and for a copy of a buffer the frame has yet to finish, with a flush.
    static void countAll(const std::vector<ParticleRing*>& rings);

private:
    int perEmission() const;
    int wantedSlots() const;
    // Takes the finished read-back's count, if it is done.
    void collectCount();
    // Re-sizes the pool, keeping the live slots in ring order.
    void resize(int slots);

    ParticleSystem& system_;
    graph::Shader* updateProgram_ = nullptr;
    graph::Shader* renderProgram_ = nullptr;
    ParticleUniforms uniforms_{"spriteTexture"};
    graph::UniformLocations ringUniforms_;  // the ring's own: where the newborn go
    bool initialized_ = false;
    GLuint transformFeedback_ = 0;
    GLuint buffers_[2] = {0, 0};
    GLuint updateArrays_[2] = {0, 0};  // updateArrays_[i] reads buffers_[i] per vertex
    GLuint drawArrays_[2] = {0, 0};    // drawArrays_[i] reads buffers_[i] per instance
    GLuint readback_ = 0;
    // The fence of the read-back in flight, shared by the rings counted with it.
    struct Fence {
        GLsync sync = nullptr;
        ~Fence();
    };
    std::shared_ptr<Fence> fence_;
    int readbackSlots_ = 0;  // slots the copy in flight holds
    std::vector<Particle> readSlots_;  // the copy, once read back
    int slotCount_ = 0;
    int ringStart_ = 0;
    int current_ = 0;
    int alive_ = 0;
};
