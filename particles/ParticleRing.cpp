#include "particles/ParticleRing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <glm/gtc/type_ptr.hpp>
#include <memory>
#include <vector>

#include "GraphicsEngine/BufferReadback.h"
#include "GraphicsEngine/Shader.h"
#include "particles/ParticleMath.h"

namespace {

enum UpdateUniform {
    TimePassed, GenPosition1, GenPosition2, GenVelocityMin, GenVelocityRange, GenColor, GenGravity,
    GenLifetimeMin, GenLifetimeRange, GenSizeMin, GenSizeRange, RandomSeed, RingStart, SlotCount,
    Emitted, kUpdateUniforms
};
constexpr const char* kUpdateNames[kUpdateUniforms] = {
    "timePassed", "genPosition1", "genPosition2", "genVelocity_Min", "genVelocity_Range",
    "genColor", "genGravity", "genLifetime_Min", "genLifetime_Range", "genSize_Min",
    "genSize_Range", "randomSeed", "ringStart", "slotCount", "emitted"};

enum RenderUniform {
    ProjectionMatrix, ViewMatrix, Quad1, Quad2, SpriteTexture, AlphaType, Alpha, BlendDelay,
    AnimRows, AnimCols, AnimFrames, AnimSpeed, kRenderUniforms
};
constexpr const char* kRenderNames[kRenderUniforms] = {
    "matrices.projMat", "matrices.viewMat", "quad1", "quad2", "spriteTexture", "alphaType",
    "alpha", "blendDelay", "animRows", "animCols", "animFrames", "animSpeed"};

void setVec3(GLint location, const glm::vec3& value) {
    glUniform3f(location, value.x, value.y, value.z);
}

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
    const int per = std::clamp(perEmission, 1, kMaxEmitted);
    const double life = std::max(longestLife, 0.0f);
    const double shortest = std::max(interval, kShortestInterval);
    const double emissions =
        std::ceil((life + ParticleSystem::kFirstEmissionTime) / shortest) + 1.0;
    return static_cast<int>(std::min(per * emissions, static_cast<double>(kMaxSlots)));
}

int ParticleRing::emittedFor(bool due, int particleCount, int slotCount) {
    if (!due) return 0;
    return std::clamp(particleCount, 0, std::min(kMaxEmitted, slotCount));
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
    : system_(system),
      updateUniforms_(kUpdateNames, kUpdateUniforms),
      renderUniforms_(kRenderNames, kRenderUniforms) {}

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

int ParticleRing::perEmission() const {
    return std::clamp(system_.particleCount, 0, kMaxEmitted);
}

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
    glBufferData(GL_COPY_WRITE_BUFFER, bytesOf(slots), nullptr, GL_STREAM_READ);
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
    if (!updateUniforms_.follow(*updateProgram_)) return false;
    collectCount();
    resize(grownSlots(slotCount_, wantedSlots(), alive_, perEmission()));
    const graph::UniformLocations& at = updateUniforms_;

    glUseProgram(updateProgram_->program);
    glUniform1f(at[TimePassed], timePassed);
    setVec3(at[GenPosition1], system_.genPosition1);
    setVec3(at[GenPosition2], system_.genPosition2);
    setVec3(at[GenVelocityMin], system_.genVelocity_Min);
    setVec3(at[GenVelocityRange], system_.genVelocity_Range);
    setVec3(at[GenColor], system_.genColor);
    setVec3(at[GenGravity], system_.genGravity);
    glUniform1f(at[GenLifetimeMin], system_.genLifetime_Min);
    glUniform1f(at[GenLifetimeRange], system_.genLifetime_Range);
    glUniform1f(at[GenSizeMin], system_.genSize_Min);
    glUniform1f(at[GenSizeRange], system_.genSize_Range);

    const particles::EmissionStep step =
        particles::advanceEmission(system_.elapsedTime, timePassed, system_.generationInterval);
    system_.elapsedTime = step.elapsedTime;
    const int emitted = emittedFor(step.emit, system_.particleCount, slotCount_);
    if (step.emit) {
        // Drawn as the desktop path draws them, so one seed gives both the
        // same particles and the shared sequence stays in step.
        const int first = particles::drawRandom();
        const int second = particles::drawRandom();
        const int third = particles::drawRandom();
        setVec3(at[RandomSeed], particles::seedFromDraws(first, second, third));
    }
    glUniform1i(at[RingStart], ringStart_);
    glUniform1i(at[SlotCount], slotCount_);
    glUniform1i(at[Emitted], emitted);

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
    if (!renderUniforms_.follow(*renderProgram_)) return;
    const graph::UniformLocations& at = renderUniforms_;
    glEnable(GL_BLEND);
    if (system_.alphaType == 0) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (system_.alphaType == 1) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Depth-tested against the scene, but the unsorted particles write no depth.
    glDepthMask(GL_FALSE);

    glUseProgram(renderProgram_->program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, system_.texture);
    glUniformMatrix4fv(at[ProjectionMatrix], 1, GL_FALSE,
                       glm::value_ptr(system_.projectionMatrix));
    glUniformMatrix4fv(at[ViewMatrix], 1, GL_FALSE, glm::value_ptr(system_.viewMatrix));
    setVec3(at[Quad1], system_.quad1);
    setVec3(at[Quad2], system_.quad2);
    glUniform1i(at[SpriteTexture], 0);
    glUniform1i(at[AlphaType], system_.alphaType);
    glUniform1f(at[Alpha], system_.alpha);
    glUniform1f(at[BlendDelay], system_.blendDelay);
    glUniform1i(at[AnimRows], system_.animRows);
    glUniform1i(at[AnimCols], system_.animCols);
    glUniform1i(at[AnimFrames], system_.animFrames);
    glUniform1f(at[AnimSpeed], system_.animSpeed);

    glBindVertexArray(drawArrays_[current_]);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, slotCount_);
    glBindVertexArray(0);

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
