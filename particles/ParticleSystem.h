#pragma once
#include <GL/glew.h>

#include <cstdint>
#include <glm/glm.hpp>
#include <string>

#include "particles/ParticleUniforms.h"

// One particle as it lies in a particle buffer; also the vertex layout of the
// update and render programs and the capture layout of transform feedback.
struct Particle {
    float position[3];
    float velocity[3];
    float color[3];
    float lifetime;
    float timeleft;
    float size;
    std::int32_t type;  // 0: the generator record
};
static_assert(sizeof(Particle) == 52, "a particle record is 52 tightly packed bytes");

// The record's seven attributes at locations 0 to 6 on the bound vertex array,
// read from the bound array buffer, one record a vertex (divisor 0) or an
// instance (1). The type is read through the float path on purpose: the
// programs declare it as a float.
void describeParticleRecord(GLuint divisor = 0);

// A particle system that lives on the GPU: one transform-feedback pass per
// frame ages, moves, kills and emits particles from one buffer into the other,
// and a second pass draws the live ones as animated, camera-facing sprites.
// The CPU only feeds uniforms and reads back how many records were written.
// The pass draws the generator record first, once per instance: itself, then
// one newborn per instance for every burst that fell due (particles/
// ParticleMath.h); then the other records, which age. A frame advances and
// draws every system before it reads any count: a read waits for the GPU to
// finish the work queued before it, so reading after the last draw waits once
// a frame, not once a system (the renderer's back end draws from the GPU's
// own count meanwhile, where the driver has that call).
class ParticleSystem {
public:
    static constexpr int kMaxParticles = 100000;
    static constexpr GLsizeiptr kBufferBytes =
        kMaxParticles * static_cast<GLsizeiptr>(sizeof(Particle));
    // The accumulator starts above every interval the scene uses: overdue,
    // so the first update emits at once.
    static constexpr float kFirstEmissionTime = 0.8f;

    bool initialized = false;
    GLuint transformFeedback = 0;
    GLuint particleBuffers[2] = {0, 0};
    GLuint vertexArrays[2] = {0, 0};  // vertex array i describes particleBuffers[i]
    GLuint primitivesQuery = 0;
    GLuint texture = 0;
    std::string textureName;
    int currentBuffer = 0;  // the buffer that holds the live particles
    int numParticles = 0;   // records in the current buffer, once the count is read
    bool countPending = false;  // advanced, the count not read yet
    glm::mat4 projectionMatrix{1.0f};
    glm::mat4 viewMatrix{1.0f};
    glm::vec3 quad1{0.0f};     // billboard axis pointing to the viewer's right
    glm::vec3 quad2{0.0f};     // billboard axis pointing to the viewer's down
    float elapsedTime = 0.0f;  // seconds accumulated toward the next emission
    float generationInterval = 0.0f;
    glm::vec3 genPosition1{0.0f};
    glm::vec3 genPosition2{0.0f};
    glm::vec3 genVelocity_Min{0.0f};
    glm::vec3 genVelocity_Range{0.0f};
    glm::vec3 genGravity{0.0f};
    glm::vec3 genColor{0.0f};
    int animRows = 0;
    int animCols = 0;
    int animFrames = 0;
    float animSpeed = 0.0f;
    int alphaType = 0;  // 0 additive, 1 alpha blending, else the blend function in force
    float alpha = 0.0f;
    float blendDelay = 0.0f;
    float genLifetime_Min = 0.0f;
    float genLifetime_Range = 0.0f;
    float genSize_Min = 0.0f;
    float genSize_Range = 0.0f;
    int particleCount = 0;                  // particles per emission
    float softness = 0.0f;  // the fade before the scene behind it, world units (its kind's)
    // This frame's draw: whether it fades before the scene's depth (bound to
    // texture unit 1), and this target's pixels to that depth's.
    bool soft = false;
    glm::vec2 depthScale{1.0f};
    graph::Shader* updateShader = nullptr;  // "ps_update", not owned
    graph::Shader* renderShader = nullptr;  // "ps_render", not owned
    // Their uniforms, looked up again only when a program is rebuilt.
    ParticleUniforms uniforms{"texture"};

    ParticleSystem();

    // Creates the GL objects; false (and nothing done) when already initialised.
    bool initialize(graph::Shader* updateProgram, graph::Shader* renderProgram);
    // Deletes them again: initialize may then make them anew, empty.
    void release();

    void setGeneratorProperties(const glm::vec3& genPosition1, const glm::vec3& genPosition2,
                                const glm::vec3& velocityMin, const glm::vec3& velocityMax,
                                const glm::vec3& gravity, float lifetimeMin, float lifetimeMax,
                                float sizeMin, float sizeMax, float generationInterval,
                                int particleCount, int animRows, int animCols, int animFrames,
                                float animSpeed, int alphaType, float blendDelay,
                                const glm::vec3& color, float alpha);
    // Plain single-frame, additive sprites, one per emission.
    void setGeneratorProperties(const glm::vec3& genPosition1, const glm::vec3& genPosition2,
                                const glm::vec3& velocityMin, const glm::vec3& velocityMax,
                                const glm::vec3& gravity, float lifetimeMin, float lifetimeMax,
                                float sizeMin, float sizeMax, float generationInterval,
                                const glm::vec3& color, float alpha);

    void setTexture(GLuint texture);
    std::string getTextureName() const;
    bool usesAlphaBlending() const;

    void setMatrices(const glm::mat4& projection, const glm::vec3& eye, const glm::vec3& center,
                     const glm::vec3& up);
    // Advances the particles by timePassed seconds (the frame time) on the
    // GPU, emitting every burst due in that time; the count of the records
    // written is read later. False when there was nothing to advance (no
    // linked update program).
    bool advanceParticles(float timePassed);
    // Reads the count of the last advance into numParticles; true when the
    // result was not ready, so that the read waited for the GPU.
    bool readParticleCount();
    // Both at once, for a system on its own.
    void updateParticles(float timePassed);
    // Draws the live particles, reading their count first if it is pending.
    void renderParticles();
    // The draw's steps, for a caller that draws the records itself: the
    // program, uniforms and state set and the live buffer's vertex array
    // bound (false, and nothing set, without a linked render program); then
    // back to no blending, depth written and no vertex array.
    bool beginDraw();
    void endDraw();
};
