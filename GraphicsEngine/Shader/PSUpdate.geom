#version 330 core
// Particle update, geometry stage (its output is captured, nothing is drawn).
// The generator record (type 0) is written back every time and, when
// particleCount is above 0, emits that many new particles after itself; every
// other particle is aged by timePassed, moved and dropped when its time is up.

layout(points) in;
// The generator plus at most 32 newborn per update; small enough for the
// smallest geometry-output budget GL allows (1024 components).
layout(points, max_vertices = 33) out;
const int MAX_EMITTED = 32;

const int GENERATOR = 0;
const int PARTICLE = 1;

in vec3 vPosition[];
in vec3 vVelocity[];
in vec3 vColor[];
in float vLifetime[];
in float vTimeleft[];
in float vSize[];
flat in int vType[];

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
uniform int particleCount;
uniform vec3 randomSeed;

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

// The sequence of one newborn: varied by the emission's seed and by the
// particle's index, so two particles of one emission differ.
void startSequence(int particle) {
    uvec3 seedBits = floatBitsToUint(randomSeed);
    rngState = hash(seedBits.x ^ hash(seedBits.y ^ hash(seedBits.z ^ hash(uint(particle) + 1U))));
}

// Uniform in [0, 1).
float nextRandom() {
    rngState = hash(rngState);
    return float(rngState >> 8) * (1.0 / 16777216.0);
}

void emitRecord(vec3 position, vec3 velocity, vec3 color, float lifetime, float timeleft,
                float size, int type) {
    position_Out = position;
    velocity_Out = velocity;
    color_Out = color;
    lifetime_Out = lifetime;
    timeleft_Out = timeleft;
    size_Out = size;
    type_Out = type;
    EmitVertex();
    EndPrimitive();
}

void main() {
    if (vType[0] == GENERATOR) {
        emitRecord(vPosition[0], vVelocity[0], vColor[0], vLifetime[0], vTimeleft[0], vSize[0],
                   GENERATOR);
        int count = min(particleCount, MAX_EMITTED);
        for (int i = 0; i < count; ++i) {
            startSequence(i);
            // Anywhere on the segment between the two spawn points.
            vec3 position = mix(genPosition1, genPosition2, nextRandom());
            vec3 share = vec3(nextRandom(), nextRandom(), nextRandom());
            vec3 velocity = genVelocity_Min + genVelocity_Range * share;
            float lifetime = genLifetime_Min + genLifetime_Range * nextRandom();
            float size = genSize_Min + genSize_Range * nextRandom();
            emitRecord(position, velocity, genColor, lifetime, lifetime, size, PARTICLE);
        }
        return;
    }

    float timeleft = vTimeleft[0] - timePassed;
    if (timeleft <= 0.0) return;
    // Constant acceleration, integrated exactly so the path does not depend
    // on the frame rate.
    vec3 position = vPosition[0] + (vVelocity[0] + 0.5 * genGravity * timePassed) * timePassed;
    vec3 velocity = vVelocity[0] + genGravity * timePassed;
    emitRecord(position, velocity, vColor[0], vLifetime[0], timeleft, vSize[0], vType[0]);
}
