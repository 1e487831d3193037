#version 300 es
// Particle update for a fixed pool of slots, vertex stage only (its output is
// captured, nothing is drawn): one vertex per slot. The slots from ringStart
// on, `emitted` of them with wrap-around, take this emission's newborn; every
// other live slot is aged by timePassed and moved, and emptied (an all-zero
// record, type 0) when its time is up. The newborn are made exactly as
// PSUpdate.geom makes them, so both paths give the same particles.
precision highp float;
precision highp int;

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 velocity;
layout(location = 2) in vec3 color;
layout(location = 3) in float lifetime;
layout(location = 4) in float timeleft;
layout(location = 5) in float size;
layout(location = 6) in float type;  // an int in the buffer, read as a float

out vec3 position_Out;
out vec3 velocity_Out;
out vec3 color_Out;
out float lifetime_Out;
out float timeleft_Out;
out float size_Out;
flat out int type_Out;

uniform float timePassed;
uniform vec3 genPosition1;
uniform vec3 genPosition2;
uniform vec3 genVelocity_Min;
uniform vec3 genVelocity_Range;
uniform vec3 genColor;
uniform vec3 genGravity;
uniform float genLifetime_Min;
uniform float genLifetime_Range;
uniform float genSize_Min;
uniform float genSize_Range;
uniform vec3 randomSeed;
uniform int ringStart;  // the first slot of this emission
uniform int slotCount;  // slots in the pool
uniform int emitted;    // newborn this update, 0 when none is due

const int EMPTY = 0;
const int PARTICLE = 1;

// Integer hash (good avalanche, cheap): one step of the random sequence.
uint hash(uint x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint rngState;

// The sequence of newborn `particle` of this emission.
void startSequence(int particle) {
    uvec3 seedBits = floatBitsToUint(randomSeed);
    rngState = hash(seedBits.x ^ hash(seedBits.y ^ hash(seedBits.z ^ hash(uint(particle) + 1U))));
}

// Uniform in [0, 1).
float nextRandom() {
    rngState = hash(rngState);
    return float(rngState >> 8) * (1.0 / 16777216.0);
}

void writeRecord(vec3 p, vec3 v, vec3 c, float life, float left, float s, int t) {
    position_Out = p;
    velocity_Out = v;
    color_Out = c;
    lifetime_Out = life;
    timeleft_Out = left;
    size_Out = s;
    type_Out = t;
}

void writeEmpty() { writeRecord(vec3(0.0), vec3(0.0), vec3(0.0), 0.0, 0.0, 0.0, EMPTY); }

void main() {
    // Both in [0, slotCount), so one added pool keeps the remainder's operand
    // non-negative.
    int k = (gl_VertexID - ringStart + slotCount) % slotCount;
    if (k < emitted) {
        startSequence(k);
        // The order of the draws decides the values: as in PSUpdate.geom.
        vec3 p = mix(genPosition1, genPosition2, nextRandom());
        vec3 share = vec3(nextRandom(), nextRandom(), nextRandom());
        vec3 v = genVelocity_Min + genVelocity_Range * share;
        float life = genLifetime_Min + genLifetime_Range * nextRandom();
        float s = genSize_Min + genSize_Range * nextRandom();
        writeRecord(p, v, genColor, life, life, s, PARTICLE);
        return;
    }

    int kind = int(round(type));
    float left = timeleft - timePassed;
    if (kind == EMPTY || left <= 0.0) {
        writeEmpty();
        return;
    }
    // Constant acceleration, integrated exactly so the path does not depend
    // on the frame rate.
    vec3 p = position + (velocity + 0.5 * genGravity * timePassed) * timePassed;
    vec3 v = velocity + genGravity * timePassed;
    writeRecord(p, v, color, lifetime, left, size, kind);
}
