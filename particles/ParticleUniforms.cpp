#include "particles/ParticleUniforms.h"

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>
#include <string>
#include <vector>

#include "particles/ParticleMath.h"
#include "particles/ParticleSystem.h"

namespace {

// The uniforms each program takes, in the order of the enums below.
enum UpdateUniform {
    TimePassed, GenPosition1, GenPosition2, GenVelocityMin, GenVelocityRange, GenColor, GenGravity,
    GenLifetimeMin, GenLifetimeRange, GenSizeMin, GenSizeRange, EmittedCount, RandomSeed,
    BurstAge, GenerationInterval
};
const std::vector<std::string> kUpdateNames = {
    "timePassed", "genPosition1", "genPosition2", "genVelocity_Min", "genVelocity_Range",
    "genColor", "genGravity", "genLifetime_Min", "genLifetime_Range", "genSize_Min",
    "genSize_Range", "particleCount", "randomSeed", "burstAge", "generationInterval"};

enum SpriteUniform {
    ProjectionMatrix, ViewMatrix, Quad1, Quad2, SpriteTexture, AlphaType, Alpha, BlendDelay,
    AnimRows, AnimCols, AnimFrames, AnimSpeed, SceneDepth, Softness, DepthScale, DepthToDistance
};

void setVec3(GLint location, const glm::vec3& value) {
    glUniform3f(location, value.x, value.y, value.z);
}

}  // namespace

ParticleUniforms::ParticleUniforms(const char* sampler)
    : update_(kUpdateNames),
      sprites_(std::vector<std::string>{"matrices.projMat", "matrices.viewMat", "quad1", "quad2",
                                        sampler, "alphaType", "alpha", "blendDelay", "animRows",
                                        "animCols", "animFrames", "animSpeed", "sceneDepth",
                                        "softness", "depthScale", "depthToDistance"}) {}

bool ParticleUniforms::followUpdate(const graph::Shader& program) {
    return update_.follow(program);
}

bool ParticleUniforms::followSprites(const graph::Shader& program) {
    return sprites_.follow(program);
}

int ParticleUniforms::perBurst(const ParticleSystem& system) {
    return std::clamp(system.particleCount, 0, particles::kMaxEmitted);
}

void ParticleUniforms::setUpdate(const ParticleSystem& system, float timePassed,
                                 const particles::EmissionPlan& plan) const {
    const graph::UniformLocations& at = update_;
    glUniform1f(at[TimePassed], timePassed);
    setVec3(at[GenPosition1], system.genPosition1);
    setVec3(at[GenPosition2], system.genPosition2);
    setVec3(at[GenVelocityMin], system.genVelocity_Min);
    setVec3(at[GenVelocityRange], system.genVelocity_Range);
    setVec3(at[GenColor], system.genColor);
    setVec3(at[GenGravity], system.genGravity);
    glUniform1f(at[GenLifetimeMin], system.genLifetime_Min);
    glUniform1f(at[GenLifetimeRange], system.genLifetime_Range);
    glUniform1f(at[GenSizeMin], system.genSize_Min);
    glUniform1f(at[GenSizeRange], system.genSize_Range);
    glUniform1i(at[EmittedCount], plan.bursts > 0 ? perBurst(system) : 0);
    if (plan.bursts == 0) return;

    glm::vec3 seeds[particles::kMaxBursts];
    const int bursts = std::min(plan.bursts, particles::kMaxBursts);
    for (int burst = 0; burst < bursts; ++burst) {
        // Drawn one by one: the order of the draws decides the components.
        const int first = particles::drawRandom();
        const int second = particles::drawRandom();
        const int third = particles::drawRandom();
        seeds[burst] = particles::seedFromDraws(first, second, third);
    }
    glUniform3fv(at[RandomSeed], bursts, glm::value_ptr(seeds[0]));
    glUniform1f(at[BurstAge], plan.oldestAge);
    glUniform1f(at[GenerationInterval], plan.spacing);
}

void ParticleUniforms::setSprites(const ParticleSystem& system) const {
    const graph::UniformLocations& at = sprites_;
    glUniformMatrix4fv(at[ProjectionMatrix], 1, GL_FALSE, glm::value_ptr(system.projectionMatrix));
    glUniformMatrix4fv(at[ViewMatrix], 1, GL_FALSE, glm::value_ptr(system.viewMatrix));
    setVec3(at[Quad1], system.quad1);
    setVec3(at[Quad2], system.quad2);
    glUniform1i(at[SpriteTexture], 0);
    glUniform1i(at[AlphaType], system.alphaType);
    glUniform1f(at[Alpha], system.alpha);
    glUniform1f(at[BlendDelay], system.blendDelay);
    glUniform1i(at[AnimRows], system.animRows);
    glUniform1i(at[AnimCols], system.animCols);
    glUniform1i(at[AnimFrames], system.animFrames);
    glUniform1f(at[AnimSpeed], system.animSpeed);
    glUniform1i(at[SceneDepth], 1);
    glUniform1f(at[Softness], system.soft ? system.softness : 0.0f);
    glUniform2f(at[DepthScale], system.depthScale.x, system.depthScale.y);
    const particles::DepthToDistance rule = particles::depthToDistance(system.projectionMatrix);
    glUniform2f(at[DepthToDistance], rule.scale, rule.offset);

    glEnable(GL_BLEND);
    // The colour as ever; the alpha channel gathers coverage, for a layer
    // drawn at half size and laid over the scene afterwards.
    if (system.alphaType == 0 || system.alphaType == 1) {
        const particles::Blend blend = particles::blendFor(system.alphaType);
        glBlendFuncSeparate(blend.sourceColour, blend.destinationColour, blend.sourceAlpha,
                            blend.destinationAlpha);
    }
    // Depth-tested against the scene, but the unsorted particles write no depth.
    glDepthMask(GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, system.texture);
}

void ParticleUniforms::endSprites() {
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
