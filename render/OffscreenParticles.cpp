#include "render/OffscreenParticles.h"

namespace {

enum HalfDepthUniform { HalfSceneDepth, SceneSize, kHalfDepthUniforms };
const char* const kHalfDepthNames[kHalfDepthUniforms] = {"sceneDepth", "sceneSize"};
enum CompositeUniform { Particles, HalfDepth, SceneDepth, EdgeDepth, kCompositeUniforms };
const char* const kCompositeNames[kCompositeUniforms] = {"particles", "halfDepth", "sceneDepth",
                                                         "edgeDepth"};

}  // namespace

OffscreenParticles::OffscreenParticles()
    : halfDepth_(kHalfDepthNames, kHalfDepthUniforms),
      composite_(kCompositeNames, kCompositeUniforms) {}

void OffscreenParticles::writeHalfDepth(const graph::ProgramTable& shaders, GLuint sceneDepth,
                                        int width, int height) {
    if (!triangle_.created()) triangle_.create();
    const graph::Shader& program = *shaders.at("halfDepth");
    glUseProgram(program.program);
    if (halfDepth_.follow(program) && halfDepth_.renewed()) {
        glUniform1i(halfDepth_[HalfSceneDepth], 0);
    }
    glUniform2i(halfDepth_[SceneSize], width, height);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneDepth);
    triangle_.draw();
}

void OffscreenParticles::composite(const graph::ProgramTable& shaders, GLuint particles,
                                   GLuint halfDepth, GLuint sceneDepth) {
    if (!triangle_.created()) triangle_.create();
    const graph::Shader& program = *shaders.at("particleComposite");
    glUseProgram(program.program);
    if (composite_.follow(program) && composite_.renewed()) {
        glUniform1i(composite_[Particles], 0);
        glUniform1i(composite_[HalfDepth], 1);
        glUniform1i(composite_[SceneDepth], 2);
        glUniform1f(composite_[EdgeDepth], offscreen::kEdgeDepth);
    }
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, sceneDepth);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, halfDepth);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, particles);
    triangle_.draw();
}

void OffscreenParticles::release() {
    triangle_.release();
    const bool on = enabled;
    *this = OffscreenParticles();
    enabled = on;
}
