#pragma once
// Desktop OpenGL 3.3: the particles' geometry stages and counts by query, the
// layered shadow cube, freeglut's text and Dear ImGui's OpenGL 3 renderer.
#include "render/RenderBackend.h"

class DesktopBackend : public RenderBackend {
public:
    graph::Dialect dialect() const override { return graph::Dialect::Desktop; }
    // The system's table as it stands.
    std::vector<ProgramFiles> ownPrograms() const override { return {}; }

    // OpenGL 3.3 has lines, float targets and timer queries; the cube copy
    // where the driver has it.
    Capabilities capabilities() const override;
    void drawLines(bool lines) const override;
    GLuint64 elapsedNanoseconds(GLuint query) const override;

    void setUpParticles(const std::vector<ParticleSystem*>& systems,
                        graph::ProgramTable& shaders) override;
    void releaseParticles() override;
    void advanceParticles(size_t system, float seconds) override;
    void drawParticles(size_t system) override;
    int readParticleCount(size_t system, bool shown, bool& pending, bool& waited) override;
    int particlesAlive(size_t system) const override;
    long long particleBufferBytes() const override;

    void drawText(const std::vector<overlay::Piece>& pieces, unsigned width,
                  unsigned height) override;
    void startPanelRenderer() override;
    void newPanelFrame() override;
    void renderPanel(ImDrawData* drawData) override;
    void stopPanelRenderer() override;

    // --- Shadow cube
    void allocateShadowDepth(GLenum target, GLint internalFormat, GLsizei width,
                             GLsizei height) const override;
    void setShadowMapEdge() const override;
    GLint shadowCubeFilter() const override { return GL_LINEAR; }
    void attachShadowCube(GLuint cube) const override;
    void copyCubeImages(GLuint from, GLuint to, GLsizei size) const override;
    void drawShadowCube(GLuint layered, const GLuint faces[6], GLbitfield clear,
                        const std::function<void(int, GLuint)>& draw) const override;

private:
    std::vector<ParticleSystem*> systems_;
    // Whether a system is drawn from the GPU's count of what its update wrote
    // (glDrawTransformFeedback), before the CPU reads it.
    bool drawsCapturedCounts_ = false;
};
