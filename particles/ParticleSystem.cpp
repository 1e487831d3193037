#include "particles/ParticleSystem.h"

#include <cstddef>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "GraphicsEngine/Shader.h"
#include "particles/ParticleMath.h"

namespace {

// The uniforms each program takes, in the order of the enums below.
enum UpdateUniform {
    TimePassed, GenPosition1, GenPosition2, GenVelocityMin, GenVelocityRange, GenColor, GenGravity,
    GenLifetimeMin, GenLifetimeRange, GenSizeMin, GenSizeRange, EmittedCount, RandomSeed,
    kUpdateUniforms
};
constexpr const char* kUpdateNames[kUpdateUniforms] = {
    "timePassed", "genPosition1", "genPosition2", "genVelocity_Min", "genVelocity_Range",
    "genColor", "genGravity", "genLifetime_Min", "genLifetime_Range", "genSize_Min",
    "genSize_Range", "particleCount", "randomSeed"};

enum RenderUniform {
    ProjectionMatrix, ViewMatrix, Quad1, Quad2, SpriteTexture, AlphaType, Alpha, BlendDelay,
    AnimRows, AnimCols, AnimFrames, AnimSpeed, kRenderUniforms
};
constexpr const char* kRenderNames[kRenderUniforms] = {
    "matrices.projMat", "matrices.viewMat", "quad1", "quad2", "texture", "alphaType", "alpha",
    "blendDelay", "animRows", "animCols", "animFrames", "animSpeed"};

void setVec3(GLint location, const glm::vec3& value) {
    glUniform3f(location, value.x, value.y, value.z);
}

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

ParticleSystem::ParticleSystem()
    : updateUniforms(kUpdateNames, kUpdateUniforms), renderUniforms(kRenderNames, kRenderUniforms) {}

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

bool ParticleSystem::advanceParticles(float timePassed) {
    if (!initialized || !isUsable(updateShader)) return false;
    readParticleCount();  // the update reads numParticles records
    if (!updateUniforms.follow(*updateShader)) return false;
    const graph::UniformLocations& at = updateUniforms;

    glUseProgram(updateShader->program);
    glUniform1f(at[TimePassed], timePassed);
    setVec3(at[GenPosition1], genPosition1);
    setVec3(at[GenPosition2], genPosition2);
    setVec3(at[GenVelocityMin], genVelocity_Min);
    setVec3(at[GenVelocityRange], genVelocity_Range);
    setVec3(at[GenColor], genColor);
    setVec3(at[GenGravity], genGravity);
    glUniform1f(at[GenLifetimeMin], genLifetime_Min);
    glUniform1f(at[GenLifetimeRange], genLifetime_Range);
    glUniform1f(at[GenSizeMin], genSize_Min);
    glUniform1f(at[GenSizeRange], genSize_Range);

    const particles::EmissionStep step =
        particles::advanceEmission(elapsedTime, timePassed, generationInterval);
    elapsedTime = step.elapsedTime;
    glUniform1i(at[EmittedCount], step.emit ? particleCount : 0);
    if (step.emit) {
        // Drawn one by one: the order of the draws decides the components.
        const int first = particles::drawRandom();
        const int second = particles::drawRandom();
        const int third = particles::drawRandom();
        setVec3(at[RandomSeed], particles::seedFromDraws(first, second, third));
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
    countPending = true;

    currentBuffer = 1 - currentBuffer;
    glBindTransformFeedback(GL_TRANSFORM_FEEDBACK, 0);
    glDisable(GL_RASTERIZER_DISCARD);
    glBindVertexArray(0);
    return true;
}

bool ParticleSystem::readParticleCount() {
    if (!countPending) return false;
    GLint ready = 0;
    glGetQueryObjectiv(primitivesQuery, GL_QUERY_RESULT_AVAILABLE, &ready);
    glGetQueryObjectiv(primitivesQuery, GL_QUERY_RESULT, &numParticles);
    countPending = false;
    return ready == 0;
}

void ParticleSystem::updateParticles(float timePassed) {
    if (advanceParticles(timePassed)) readParticleCount();
}

void ParticleSystem::renderParticles() {
    if (!initialized || !isUsable(renderShader)) return;
    renderUniforms.follow(*renderShader);
    const graph::UniformLocations& at = renderUniforms;
    glEnable(GL_BLEND);
    if (alphaType == 0) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (alphaType == 1) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Depth-tested against the scene, but the unsorted particles write no depth.
    glDepthMask(GL_FALSE);

    glUseProgram(renderShader->program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniformMatrix4fv(at[ProjectionMatrix], 1, GL_FALSE, glm::value_ptr(projectionMatrix));
    glUniformMatrix4fv(at[ViewMatrix], 1, GL_FALSE, glm::value_ptr(viewMatrix));
    setVec3(at[Quad1], quad1);
    setVec3(at[Quad2], quad2);
    glUniform1i(at[SpriteTexture], 0);
    glUniform1i(at[AlphaType], alphaType);
    glUniform1f(at[Alpha], alpha);
    glUniform1f(at[BlendDelay], blendDelay);
    glUniform1i(at[AnimRows], animRows);
    glUniform1i(at[AnimCols], animCols);
    glUniform1i(at[AnimFrames], animFrames);
    glUniform1f(at[AnimSpeed], animSpeed);

    glBindVertexArray(vertexArrays[currentBuffer]);
    // Before its count is read, the GPU's own count of the records the last
    // update wrote draws them: the draw waits for nothing.
    if (countPending) {
        glDrawTransformFeedback(GL_POINTS, transformFeedback);
    } else {
        glDrawArrays(GL_POINTS, 0, numParticles);
    }
    glBindVertexArray(0);

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
