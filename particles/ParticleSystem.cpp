#include "particles/ParticleSystem.h"

#include <cstddef>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>

#include "GraphicsEngine/Shader.h"
#include "particles/ParticleMath.h"

namespace {

bool isUsable(const graph::Shader* shader) { return shader != nullptr && shader->program != 0; }

}  // namespace

void describeParticleRecord(GLuint divisor) {
    struct Attribute {
        GLint components;
        GLenum type;
        size_t offset;
    };
    const Attribute attributes[] = {
        {3, GL_FLOAT, offsetof(Particle, position)}, {3, GL_FLOAT, offsetof(Particle, velocity)},
        {3, GL_FLOAT, offsetof(Particle, color)},    {1, GL_FLOAT, offsetof(Particle, lifetime)},
        {1, GL_FLOAT, offsetof(Particle, timeleft)}, {1, GL_FLOAT, offsetof(Particle, size)},
        {1, GL_INT, offsetof(Particle, type)},
    };
    for (GLuint location = 0; location < 7; ++location) glEnableVertexAttribArray(location);
    for (GLuint location = 0; location < 7; ++location) {
        const Attribute& attribute = attributes[location];
        glVertexAttribPointer(location, attribute.components, attribute.type, GL_FALSE,
                              sizeof(Particle), reinterpret_cast<const void*>(attribute.offset));
        // Per vertex is every vertex array's own start.
        if (divisor != 0) glVertexAttribDivisor(location, divisor);
    }
}

ParticleSystem::ParticleSystem() = default;

bool ParticleSystem::initialize(graph::Shader* updateProgram, graph::Shader* renderProgram) {
    if (initialized) return false;
    glGenTransformFeedbacks(1, &transformFeedback);
    glGenQueries(1, &primitivesQuery);
    glGenBuffers(2, particleBuffers);
    glGenVertexArrays(2, vertexArrays);

    const Particle generator{};  // every field zero, type 0
    for (int i = 0; i < 2; ++i) {
        glBindVertexArray(vertexArrays[i]);
        glBindBuffer(GL_ARRAY_BUFFER, particleBuffers[i]);
        glBufferData(GL_ARRAY_BUFFER, kBufferBytes, nullptr, GL_DYNAMIC_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(Particle), &generator);
        describeParticleRecord();
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    updateShader = updateProgram;
    renderShader = renderProgram;
    currentBuffer = 0;
    numParticles = 1;
    initialized = true;
    return true;
}

void ParticleSystem::release() {
    if (!initialized) return;
    glDeleteTransformFeedbacks(1, &transformFeedback);
    glDeleteQueries(1, &primitivesQuery);
    glDeleteBuffers(2, particleBuffers);
    glDeleteVertexArrays(2, vertexArrays);
    transformFeedback = primitivesQuery = 0;
    particleBuffers[0] = particleBuffers[1] = vertexArrays[0] = vertexArrays[1] = 0;
    texture = 0;  // the engine's texture cache owns it
    countPending = false;
    initialized = false;
}

void ParticleSystem::setGeneratorProperties(
    const glm::vec3& genPosition1, const glm::vec3& genPosition2, const glm::vec3& velocityMin,
    const glm::vec3& velocityMax, const glm::vec3& gravity, float lifetimeMin, float lifetimeMax,
    float sizeMin, float sizeMax, float generationInterval, int particleCount, int animRows,
    int animCols, int animFrames, float animSpeed, int alphaType, float blendDelay,
    const glm::vec3& color, float alpha) {
    this->genPosition1 = genPosition1;
    this->genPosition2 = genPosition2;
    genVelocity_Min = velocityMin;
    genVelocity_Range = velocityMax - velocityMin;
    genGravity = gravity;
    genLifetime_Min = lifetimeMin;
    genLifetime_Range = lifetimeMax - lifetimeMin;
    genSize_Min = sizeMin;
    genSize_Range = sizeMax - sizeMin;
    this->generationInterval = generationInterval;
    this->particleCount = particleCount;
    this->animRows = animRows;
    this->animCols = animCols;
    this->animFrames = animFrames;
    this->animSpeed = animSpeed;
    this->alphaType = alphaType;
    this->blendDelay = blendDelay;
    genColor = color;
    this->alpha = alpha;
    elapsedTime = kFirstEmissionTime;
    std::printf("Particle System generator initialized...\n");
}

void ParticleSystem::setGeneratorProperties(
    const glm::vec3& genPosition1, const glm::vec3& genPosition2, const glm::vec3& velocityMin,
    const glm::vec3& velocityMax, const glm::vec3& gravity, float lifetimeMin, float lifetimeMax,
    float sizeMin, float sizeMax, float generationInterval, const glm::vec3& color, float alpha) {
    setGeneratorProperties(genPosition1, genPosition2, velocityMin, velocityMax, gravity,
                           lifetimeMin, lifetimeMax, sizeMin, sizeMax, generationInterval, 1, 1, 1,
                           1, 1.0f, 0, 0.0f, color, alpha);
}

void ParticleSystem::setTexture(GLuint texture) { this->texture = texture; }

std::string ParticleSystem::getTextureName() const { return textureName; }

bool ParticleSystem::usesAlphaBlending() const { return alphaType == 1; }

void ParticleSystem::setMatrices(const glm::mat4& projection, const glm::vec3& eye,
                                 const glm::vec3& center, const glm::vec3& up) {
    projectionMatrix = projection;
    viewMatrix = glm::lookAt(eye, center, up);
    const particles::BillboardAxes axes = particles::billboardAxes(eye, center, up);
    quad1 = axes.right;
    quad2 = axes.down;
}

bool ParticleSystem::advanceParticles(float timePassed) {
    if (!initialized || !isUsable(updateShader)) return false;
    readParticleCount();  // the update reads numParticles records
    if (!uniforms.followUpdate(*updateShader)) return false;

    const particles::EmissionPlan plan =
        particles::planEmission(elapsedTime, timePassed, generationInterval);
    elapsedTime = plan.elapsedTime;
    glUseProgram(updateShader->program);
    uniforms.setUpdate(*this, timePassed, plan);

    glEnable(GL_RASTERIZER_DISCARD);
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, transformFeedback);
    glBindVertexArray(vertexArrays[currentBuffer]);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, particleBuffers[1 - currentBuffer]);

    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, primitivesQuery);
    glBeginTransformFeedback(GL_POINTS);
    // The generator, first in the buffer: written back, then the newborn.
    const int newborn = plan.bursts * ParticleUniforms::perBurst(*this);
    glDrawArraysInstanced(GL_POINTS, 0, 1, 1 + newborn);
    if (numParticles > 1) glDrawArrays(GL_POINTS, 1, numParticles - 1);
    glEndTransformFeedback();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
    countPending = true;

    currentBuffer = 1 - currentBuffer;
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, 0);
    glDisable(GL_RASTERIZER_DISCARD);
    glBindVertexArray(0);
    return true;
}

bool ParticleSystem::readParticleCount() {
    if (!countPending) return false;
    GLuint ready = 0, written = 0;
    glGetQueryObjectuiv(primitivesQuery, GL_QUERY_RESULT_AVAILABLE, &ready);
    glGetQueryObjectuiv(primitivesQuery, GL_QUERY_RESULT, &written);
    numParticles = static_cast<int>(written);
    countPending = false;
    return ready == 0;
}

void ParticleSystem::updateParticles(float timePassed) {
    if (advanceParticles(timePassed)) readParticleCount();
}

void ParticleSystem::renderParticles() {
    if (!initialized) return;
    readParticleCount();
    if (!beginDraw()) return;
    glDrawArrays(GL_POINTS, 0, numParticles);
    endDraw();
}

bool ParticleSystem::beginDraw() {
    if (!initialized || !isUsable(renderShader) || !uniforms.followSprites(*renderShader)) {
        return false;
    }
    glUseProgram(renderShader->program);
    uniforms.setSprites(*this);
    glBindVertexArray(vertexArrays[currentBuffer]);
    return true;
}

void ParticleSystem::endDraw() {
    glBindVertexArray(0);
    ParticleUniforms::endSprites();
}
