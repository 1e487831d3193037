#include "render/DesktopBackend.h"

#include <imgui.h>
#include <imgui_impl_opengl3.h>

#include <algorithm>

#include "app/OverlayText.h"
#include "particles/ParticleSystem.h"

Capabilities DesktopBackend::capabilities() const {
    Capabilities can;
    can.drawsLines = true;
    can.floatTargets = true;
    can.timesPasses = true;
    // OpenGL 4.3 or ARB_copy_image, with the entry point loaded.
    can.copiesCubeImages =
        (GLEW_VERSION_4_3 || driverLists("GL_ARB_copy_image")) && glCopyImageSubData != nullptr;
    can.textThroughImGui = false;  // freeglut's bitmap font
    askSamplesAndRenderer(can);
    return can;
}

void DesktopBackend::drawLines(bool lines) const {
    glPolygonMode(GL_FRONT_AND_BACK, lines ? GL_LINE : GL_FILL);
}

GLuint64 DesktopBackend::elapsedNanoseconds(GLuint query) const {
    GLuint64 nanoseconds = 0;
    glGetQueryObjectui64v(query, GL_QUERY_RESULT, &nanoseconds);
    return nanoseconds;
}

void DesktopBackend::setUpParticles(const std::vector<ParticleSystem*>& systems,
                                    graph::ProgramTable& shaders) {
    systems_ = systems;
    // OpenGL 4.0 or ARB_transform_feedback2, with the entry point loaded.
    drawsCapturedCounts_ = (GLEW_VERSION_4_0 || driverLists("GL_ARB_transform_feedback2")) &&
                           glDrawTransformFeedback != nullptr;
    for (ParticleSystem* system : systems_) {
        system->initialize(shaders["ps_update"].get(), shaders["ps_render"].get());
    }
}

void DesktopBackend::releaseParticles() {
    for (ParticleSystem* system : systems_) system->release();
}

void DesktopBackend::advanceParticles(size_t system, float seconds) {
    systems_[system]->advanceParticles(seconds);
}

void DesktopBackend::drawParticles(size_t system) {
    ParticleSystem& particles = *systems_[system];
    if (!particles.countPending || !drawsCapturedCounts_) {
        particles.renderParticles();
        return;
    }
    // Before its count is read, the GPU's own count of the records the last
    // update wrote draws them: the draw waits for nothing.
    if (!particles.beginDraw()) return;
    glDrawTransformFeedback(GL_POINTS, particles.transformFeedback);
    particles.endDraw();
}

// The next update draws as many records as this one wrote: the count is read
// whether shown or not.
int DesktopBackend::readParticleCount(size_t system, bool, bool& pending, bool& waited) {
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

// --- Shadow cube

void DesktopBackend::allocateShadowDepth(GLenum target, GLint internalFormat, GLsizei width,
                                         GLsizei height) const {
    glTexImage2D(target, 0, internalFormat, width, height, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE,
                 nullptr);
}

void DesktopBackend::setShadowMapEdge() const {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    // Depth 1 outside the map: a comparison lookup there always passes (lit).
    const GLfloat border[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
}

void DesktopBackend::copyCubeImages(GLuint from, GLuint to, GLsizei size) const {
    glCopyImageSubData(from, GL_TEXTURE_CUBE_MAP, 0, 0, 0, 0, to, GL_TEXTURE_CUBE_MAP, 0, 0, 0, 0,
                       size, size, 6);
}

// Layered: the omni pass's geometry stage picks the face per primitive.
void DesktopBackend::attachShadowCube(GLuint cube) const {
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, cube, 0);
}

void DesktopBackend::drawShadowCube(GLuint layered, const GLuint*, GLbitfield clear,
                                    const std::function<void(int, GLuint)>& draw) const {
    glBindFramebuffer(GL_FRAMEBUFFER, layered);
    if (clear != 0) {
        glClearDepth(1.0);
        glClear(clear);
    }
    draw(-1, layered);
}
