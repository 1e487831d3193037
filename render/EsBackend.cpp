#include "render/EsBackend.h"

#include "render/DesktopBackend.h"

std::unique_ptr<RenderBackend> RenderBackend::create(bool es) {
    if (es) return std::make_unique<EsBackend>();
    return std::make_unique<DesktopBackend>();
}

std::vector<ProgramFiles> EsBackend::ownPrograms() const {
    return {
        {"shadowOmni", "ShadowMapOmniES.vert", nullptr, "ShadowMapOmniES.frag",
         graph::Stages::Two},
        {"ps_update", "PSUpdateES.vert", nullptr, "PSUpdateES.frag", graph::Stages::VertexCapture},
        {"ps_render", "PSRenderES.vert", nullptr, "PSRenderES.frag", graph::Stages::Two},
    };
}

void EsBackend::setUpParticles(const std::vector<ParticleSystem*>& systems,
                               graph::ProgramTable& shaders) {
    rings_.clear();
    for (ParticleSystem* system : systems) {
        rings_.push_back(std::make_unique<ParticleRing>(*system));
        rings_.back()->initialize(shaders["ps_update"].get(), shaders["ps_render"].get());
    }
}

void EsBackend::advanceParticles(size_t system, float seconds) { rings_[system]->advance(seconds); }

void EsBackend::drawParticles(size_t system) { rings_[system]->render(); }

// The ring counts as it advances (a finished read-back, never a wait).
int EsBackend::readParticleCount(size_t system, bool& pending, bool& waited) {
    pending = false;
    waited = false;
    return rings_[system]->alive();
}

int EsBackend::particlesAlive(size_t system) const {
    return system < rings_.size() ? rings_[system]->alive() : 0;  // 0: not set up
}

long long EsBackend::particleBufferBytes() const {
    long long bytes = 0;
    for (const auto& ring : rings_) bytes += ring->bufferBytes();
    return bytes;
}
