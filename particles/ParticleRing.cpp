#include "particles/ParticleRing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <vector>

#include "GraphicsEngine/BufferReadback.h"
#include "GraphicsEngine/Shader.h"
#include "particles/ParticleMath.h"

namespace {

// The update program's uniforms of the ring's own, beside the shared ones.
enum RingUniform { RingStart, SlotCount, Emitted, kRingUniforms };
constexpr const char* kRingNames[kRingUniforms] = {"ringStart", "slotCount", "emitted"};

bool isUsable(const graph::Shader* shader) { return shader != nullptr && shader->program != 0; }

GLsizeiptr bytesOf(int slots) { return slots * static_cast<GLsizeiptr>(sizeof(Particle)); }

// The desktop path's record layout on `vertexArray`, per vertex or per instance.
void describeRecords(GLuint vertexArray, GLuint buffer, GLuint divisor) {
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    describeParticleRecord(divisor);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace

int ParticleRing::slotsFor(int perEmission, float longestLife, float interval) {
    const int per = std::clamp(perEmission, 1, particles::kMaxEmitted);
    const double life = std::max(longestLife, 0.0f);
    const double shortest = std::max(interval, particles::kShortestInterval);
    const double bursts = std::ceil(life / shortest) + 2.0;
    return static_cast<int>(std::min(per * bursts, static_cast<double>(kMaxSlots)));
}

particles::EmissionPlan ParticleRing::fitted(particles::EmissionPlan plan, int perBurst,
                                             int slotCount) {
    if (perBurst > 0) plan.keepYoungest(slotCount / perBurst);
    return plan;
}

bool ParticleRing::bornAt(int slot, int ringStart, int emitted, int slotCount) {
    if (slotCount <= 0) return false;
    return (slot - ringStart + slotCount) % slotCount < emitted;
}

int ParticleRing::nextRingStart(int ringStart, int emitted, int slotCount) {
    return slotCount > 0 ? (ringStart + emitted) % slotCount : 0;
}

int ParticleRing::grownSlots(int slotCount, int wanted, int alive, int perEmission) {
    int slots = std::max(slotCount, wanted);
    if (slotCount > 0 && alive + perEmission > slotCount) slots = std::max(slots, 2 * slotCount);
    return std::min(slots, kMaxSlots);
}

int ParticleRing::liveSlots(const Particle* records, int count) {
    return static_cast<int>(std::count_if(records, records + count, [](const Particle& p) {
        return p.type != 0 && p.timeleft > 0.0f;
    }));
}

ParticleRing::ParticleRing(ParticleSystem& system)
    : system_(system), ringUniforms_(kRingNames, kRingUniforms) {}

ParticleRing::~ParticleRing() {
    if (!initialized_ || !graph::contextCurrent()) return;
    fence_.reset();
    glDeleteTransformFeedbacks(1, &transformFeedback_);
    glDeleteVertexArrays(2, updateArrays_);
    glDeleteVertexArrays(2, drawArrays_);
    glDeleteBuffers(2, buffers_);
    glDeleteBuffers(1, &readback_);
}

bool ParticleRing::initialize(graph::Shader* updateProgram, graph::Shader* renderProgram) {
    if (initialized_) return false;
    glGenTransformFeedbacks(1, &transformFeedback_);
    glGenBuffers(2, buffers_);
    glGenBuffers(1, &readback_);
    glGenVertexArrays(2, updateArrays_);
    glGenVertexArrays(2, drawArrays_);
    for (int i = 0; i < 2; ++i) {
        describeRecords(updateArrays_[i], buffers_[i], 0);
        describeRecords(drawArrays_[i], buffers_[i], 1);
    }
    updateProgram_ = updateProgram;
    renderProgram_ = renderProgram;
    resize(wantedSlots());
    initialized_ = true;
    return true;
}

int ParticleRing::perEmission() const { return ParticleUniforms::perBurst(system_); }

int ParticleRing::wantedSlots() const {
    const float longestLife =
        system_.genLifetime_Min + std::max(system_.genLifetime_Range, 0.0f);
    return slotsFor(perEmission(), longestLife, system_.generationInterval);
}

GLsizeiptr ParticleRing::bufferBytes() const { return 3 * bytesOf(slotCount_); }

// The live slots move, oldest first, to the front of the larger pool, and the
// ring goes on from the first new (empty) slot: the next emissions fill the
// new slots before they reach the oldest particles again.
void ParticleRing::resize(int slots) {
    if (slots <= slotCount_) return;
    const std::vector<Particle> empty(static_cast<size_t>(slots));
    const int next = 1 - current_;
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffers_[next]);
    glBufferData(GL_COPY_WRITE_BUFFER, bytesOf(slots), empty.data(), GL_DYNAMIC_DRAW);
    if (slotCount_ > 0) {
        const int head = slotCount_ - ringStart_;  // from the ring position to the pool's end
        glBindBuffer(GL_COPY_READ_BUFFER, buffers_[current_]);
        glCopyBufferSubData(GL_COPY_READ_BUFFER, GL_COPY_WRITE_BUFFER, bytesOf(ringStart_), 0,
                            bytesOf(head));
        if (ringStart_ > 0) {
            glCopyBufferSubData(GL_COPY_READ_BUFFER, GL_COPY_WRITE_BUFFER, 0, bytesOf(head),
                                bytesOf(ringStart_));
        }
    }
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffers_[current_]);
    glBufferData(GL_COPY_WRITE_BUFFER, bytesOf(slots), empty.data(), GL_DYNAMIC_DRAW);
    // A read-back in flight holds the old pool: it is dropped, the count kept.
    fence_.reset();
    glBindBuffer(GL_COPY_WRITE_BUFFER, readback_);
    glBufferData(GL_COPY_WRITE_BUFFER, bytesOf(slots), nullptr, graph::readbackUsage());
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    glBindBuffer(GL_COPY_READ_BUFFER, 0);
    current_ = next;
    ringStart_ = slotCount_;
    slotCount_ = slots;
}

void ParticleRing::collectCount() {
    if (fence_ == nullptr) return;
    // Not flushed: a flush per system would hand a software renderer 44
    // small batches a frame. The frame's end flushes (a swap, or the
    // offscreen surface's own fence), so the fence signals a frame later.
    const GLenum status = glClientWaitSync(fence_->sync, 0, 0);
    if (status == GL_TIMEOUT_EXPIRED) return;
    if (status != GL_WAIT_FAILED) {
        glBindBuffer(GL_COPY_READ_BUFFER, readback_);
        readSlots_.resize(static_cast<size_t>(readbackSlots_));
        if (graph::readBuffer(GL_COPY_READ_BUFFER, bytesOf(readbackSlots_), readSlots_.data())) {
            alive_ = liveSlots(readSlots_.data(), readbackSlots_);
        }
        glBindBuffer(GL_COPY_READ_BUFFER, 0);
    }
    fence_.reset();
}

ParticleRing::Fence::~Fence() {
    if (graph::contextCurrent()) glDeleteSync(sync);
}

void ParticleRing::countAll(const std::vector<ParticleRing*>& rings) {
    std::vector<ParticleRing*> copied;
    for (ParticleRing* ring : rings) {
        if (!ring->initialized_ || ring->fence_ != nullptr || ring->slotCount_ == 0) continue;
        glBindBuffer(GL_COPY_READ_BUFFER, ring->buffers_[ring->current_]);
        glBindBuffer(GL_COPY_WRITE_BUFFER, ring->readback_);
        glCopyBufferSubData(GL_COPY_READ_BUFFER, GL_COPY_WRITE_BUFFER, 0, 0,
                            bytesOf(ring->slotCount_));
        ring->readbackSlots_ = ring->slotCount_;
        copied.push_back(ring);
    }
    glBindBuffer(GL_COPY_READ_BUFFER, 0);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    if (copied.empty()) return;
    const auto fence = std::make_shared<Fence>();
    fence->sync = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    for (ParticleRing* ring : copied) ring->fence_ = fence;
}

bool ParticleRing::advance(float timePassed) {
    if (!initialized_ || !(timePassed > 0.0f) || !isUsable(updateProgram_)) return false;
    if (!uniforms_.followUpdate(*updateProgram_) || !ringUniforms_.follow(*updateProgram_)) {
        return false;
    }
    collectCount();
    resize(grownSlots(slotCount_, wantedSlots(), alive_, perEmission()));

    const particles::EmissionPlan plan = fitted(
        particles::planEmission(system_.elapsedTime, timePassed, system_.generationInterval),
        perEmission(), slotCount_);
    system_.elapsedTime = plan.elapsedTime;
    const int emitted = plan.bursts * perEmission();
    glUseProgram(updateProgram_->program);
    uniforms_.setUpdate(system_, timePassed, plan);
    glUniform1i(ringUniforms_[RingStart], ringStart_);
    glUniform1i(ringUniforms_[SlotCount], slotCount_);
    glUniform1i(ringUniforms_[Emitted], emitted);

    glEnable(GL_RASTERIZER_DISCARD);
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, transformFeedback_);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffers_[1 - current_]);
    glBindVertexArray(updateArrays_[current_]);
    glBeginTransformFeedback(GL_POINTS);
    glDrawArrays(GL_POINTS, 0, slotCount_);
    glEndTransformFeedback();
    glBindVertexArray(0);
    // Unbound again: WebGL refuses a buffer bound for capture and for drawing at once.
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, 0);
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, 0);
    glDisable(GL_RASTERIZER_DISCARD);

    current_ = 1 - current_;
    ringStart_ = nextRingStart(ringStart_, emitted, slotCount_);
    return true;
}

void ParticleRing::render() {
    if (!initialized_ || !isUsable(renderProgram_)) return;
    if (!uniforms_.followSprites(*renderProgram_)) return;
    glUseProgram(renderProgram_->program);
    uniforms_.setSprites(system_);
    glBindVertexArray(drawArrays_[current_]);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, slotCount_);
    glBindVertexArray(0);
    ParticleUniforms::endSprites();
}
