#pragma once
// OpenGL ES 3.0 (--gles, and the browser): no geometry stage anywhere. The
// particles live in slot pools (particles/ParticleRing.h) drawn as instanced
// quads and counted by a read-back a frame or more late. Text and panel go
// through Dear ImGui's ES 3 renderer.
#include <memory>

#include "particles/ParticleRing.h"
#include "render/RenderBackend.h"

class EsBackend : public RenderBackend {
public:
    graph::Dialect dialect() const override { return graph::Dialect::Es; }
    std::vector<ProgramFiles> ownPrograms() const override;

    // ES has no polygon mode and no image copy; float targets and timer
    // queries come with extensions.
    Capabilities capabilities() const override;
    void drawLines(bool) const override {}  // never asked: no polygon mode
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

    // --- Shadow cube: no border colour, no layers, no image copy; depth
    // textures are read through NEAREST unless compared.
    void allocateShadowDepth(GLenum target, GLint internalFormat, GLsizei width,
                             GLsizei height) const override;
    void setShadowMapEdge() const override;
    GLint shadowCubeFilter() const override { return GL_NEAREST; }
    void attachShadowCube(GLuint cube) const override;
    // Never asked: the cube is blitted face by face.
    void copyCubeImages(GLuint, GLuint, GLsizei) const override {}
    void drawShadowCube(GLuint layered, const GLuint faces[6], GLbitfield clear,
                        const std::function<void(int, GLuint)>& draw) const override;

private:
    std::vector<std::unique_ptr<ParticleRing>> rings_;
};
