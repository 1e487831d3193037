#include "render/GpuPassTimer.h"

#include <chrono>

#include "render/RenderBackend.h"

namespace {

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

const char* const GpuPassTimer::kPassNames[kPassCount] = {
    "shadow cube", "sky box", "ground", "objects", "particle updates", "particle draws", "glow",
    "picture", "overlay"};

void GpuPassTimer::begin(Pass pass) {
    if (!active) return;
    Slot& slot = slots_[current_];
    if (slot.used == slot.queries.size()) {
        GLuint query = 0;
        glGenQueries(1, &query);
        slot.queries.emplace_back(pass, query);
    }
    slot.queries[slot.used].first = pass;
    glBeginQuery(GL_TIME_ELAPSED, slot.queries[slot.used].second);
    ++slot.used;
    open_ = pass;
}

void GpuPassTimer::end() {
    if (!active || open_ == kPassCount) return;
    glEndQuery(GL_TIME_ELAPSED);
    open_ = kPassCount;
}

void GpuPassTimer::beginReads() {
    if (active) readsStart_ = nowMs();
}

void GpuPassTimer::endReads(int reads, int waited) {
    if (!active) return;
    waits_.reads += reads;
    waits_.waited += waited;
    waits_.ms += nowMs() - readsStart_;
}

GpuPassTimer::Waits GpuPassTimer::takeWaits() {
    const Waits taken = waits_;
    waits_ = Waits{};
    return taken;
}

GpuPassTimer::Times GpuPassTimer::endFrame() {
    Times times;
    times.fill(-1.0);
    if (!active) return times;
    slots_[current_].pending = true;
    current_ = (current_ + 1) % kLatency;

    // The slot about to be reused was issued kLatency - 1 frames ago.
    Slot& oldest = slots_[current_];
    if (oldest.pending && !everyFrame && oldest.used > 0) {
        // The last query of the frame ends last; its result tells for all.
        GLuint available = 0;
        glGetQueryObjectuiv(oldest.queries[oldest.used - 1].second, GL_QUERY_RESULT_AVAILABLE,
                            &available);
        if (available == 0) oldest.pending = false;
    }
    if (oldest.pending) {
        times.fill(0.0);
        for (size_t i = 0; i < oldest.used; ++i) {
            const GLuint64 nanoseconds = backend->elapsedNanoseconds(oldest.queries[i].second);
            times[oldest.queries[i].first] += static_cast<double>(nanoseconds) * 1e-6;
        }
        latest_ = times;
    }
    oldest.used = 0;
    oldest.pending = false;
    return times;
}

void GpuPassTimer::release() {
    for (Slot& slot : slots_) {
        for (const auto& [pass, query] : slot.queries) glDeleteQueries(1, &query);
        slot = Slot();
    }
    open_ = kPassCount;
}
