#include "render/DesktopBackend.h"

#include <imgui.h>
#include <imgui_impl_opengl3.h>

#include <algorithm>

#include "app/OverlayText.h"
#include "particles/ParticleSystem.h"

void DesktopBackend::setUpParticles(const std::vector<ParticleSystem*>& systems,
                                    graph::ProgramTable& shaders) {
    systems_ = systems;
    for (ParticleSystem* system : systems_) {
        system->initialize(shaders["ps_update"].get(), shaders["ps_render"].get());
    }
}

void DesktopBackend::advanceParticles(size_t system, float seconds) {
    systems_[system]->advanceParticles(seconds);
}

void DesktopBackend::drawParticles(size_t system) { systems_[system]->renderParticles(); }

int DesktopBackend::readParticleCount(size_t system, bool& pending, bool& waited) {
    ParticleSystem& particles = *systems_[system];
    pending = particles.countPending;
    waited = particles.readParticleCount();
    return particles.numParticles;  // the generator record counted, as it always was
}

int DesktopBackend::particlesAlive(size_t system) const {
    if (system >= systems_.size()) return 0;  // not set up
    return std::max(systems_[system]->numParticles - 1, 0);  // less the generator record
}

long long DesktopBackend::particleBufferBytes() const {
    long long bytes = 0;
    for (const ParticleSystem* system : systems_) {
        if (system->initialized) bytes += 2 * ParticleSystem::kBufferBytes;
    }
    return bytes;
}

void DesktopBackend::drawText(const std::vector<overlay::Piece>& pieces, unsigned, unsigned) {
    overlay::drawBitmapText(pieces);
}

// The demo's own GLSL level; the renderer picks its 1.30-style programs for it.
void DesktopBackend::startPanelRenderer() { ImGui_ImplOpenGL3_Init("#version 330 core"); }

void DesktopBackend::newPanelFrame() { ImGui_ImplOpenGL3_NewFrame(); }

void DesktopBackend::renderPanel(ImDrawData* drawData) {
    ImGui_ImplOpenGL3_RenderDrawData(drawData);
}

void DesktopBackend::stopPanelRenderer() { ImGui_ImplOpenGL3_Shutdown(); }
