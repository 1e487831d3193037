#include "particles/ParticleSystem.h"

#include <cstddef>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/Uniforms.h"
#include "particles/ParticleMath.h"

namespace {

using uniforms::setFloat;
using uniforms::setInt;
using uniforms::setMat4;
using uniforms::setVec3;

// The seven attributes of the particle record, locations 0 to 6. The type is
// read through the float path on purpose: the programs declare it as a float.
void describeParticleRecord() {
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
    }
}

bool isUsable(const graph::Shader* shader) { return shader != nullptr && shader->program != 0; }

}  // namespace

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

void ParticleSystem::updateParticles(float timePassed) {
    if (!initialized || !isUsable(updateShader)) return;
    const GLuint program = updateShader->program;
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == 0) return;

    glUseProgram(program);
    setFloat(program, "timePassed", timePassed);
    setVec3(program, "genPosition1", genPosition1);
    setVec3(program, "genPosition2", genPosition2);
    setVec3(program, "genVelocity_Min", genVelocity_Min);
    setVec3(program, "genVelocity_Range", genVelocity_Range);
    setVec3(program, "genColor", genColor);
    setVec3(program, "genGravity", genGravity);
    setFloat(program, "genLifetime_Min", genLifetime_Min);
    setFloat(program, "genLifetime_Range", genLifetime_Range);
    setFloat(program, "genSize_Min", genSize_Min);
    setFloat(program, "genSize_Range", genSize_Range);
    setInt(program, "particleCount", 0);

    const particles::EmissionStep step =
        particles::advanceEmission(elapsedTime, timePassed, generationInterval);
    elapsedTime = step.elapsedTime;
    if (step.emit) {
        setInt(program, "particleCount", particleCount);
        // Drawn one by one: the order of the draws decides the components.
        const int first = particles::drawRandom();
        const int second = particles::drawRandom();
        const int third = particles::drawRandom();
        setVec3(program, "randomSeed", particles::seedFromDraws(first, second, third));
    }

    glEnable(GL_RASTERIZER_DISCARD);
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, transformFeedback);
    glBindVertexArray(vertexArrays[currentBuffer]);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, particleBuffers[1 - currentBuffer]);

    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, primitivesQuery);
    glBeginTransformFeedback(GL_POINTS);
    glDrawArrays(GL_POINTS, 0, numParticles);
    glEndTransformFeedback();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
    // Read at once: the frame counts and draws exactly what was written.
    glGetQueryObjectiv(primitivesQuery, GL_QUERY_RESULT, &numParticles);

    currentBuffer = 1 - currentBuffer;
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, 0);
    glDisable(GL_RASTERIZER_DISCARD);
    glBindVertexArray(0);
}

void ParticleSystem::renderParticles() {
    if (!initialized || !isUsable(renderShader)) return;
    glEnable(GL_BLEND);
    if (alphaType == 0) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (alphaType == 1) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Depth-tested against the scene, but the unsorted particles write no depth.
    glDepthMask(GL_FALSE);

    const GLuint program = renderShader->program;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    setMat4(program, "matrices.projMat", projectionMatrix);
    setMat4(program, "matrices.viewMat", viewMatrix);
    setVec3(program, "quad1", quad1);
    setVec3(program, "quad2", quad2);
    setInt(program, "texture", 0);
    setInt(program, "alphaType", alphaType);
    setFloat(program, "alpha", alpha);
    setFloat(program, "blendDelay", blendDelay);
    setInt(program, "animRows", animRows);
    setInt(program, "animCols", animCols);
    setInt(program, "animFrames", animFrames);
    setFloat(program, "animSpeed", animSpeed);

    glBindVertexArray(vertexArrays[currentBuffer]);
    glDrawArrays(GL_POINTS, 0, numParticles);
    glBindVertexArray(0);

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
