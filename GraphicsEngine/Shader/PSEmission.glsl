// The particles' life, shared by both update programs: the desktop's geometry
// stage (PSUpdate.geom) and OpenGL ES's vertex stage (PSUpdateES.vert) take it
// in where they say #include. An update emits `bursts` bursts of particleCount
// newborn, oldest first (the bursts that fell due during the frame): burst b
// is burstAge - b * generationInterval seconds old at the update's end, and
// its newborn start that old, moved along their paths, so that a slow frame's
// newborn come out as a stream. Every other particle ages by timePassed.

const int MAX_BURSTS = 64;  // particles/ParticleMath.h: kMaxBursts
const int GENERATOR = 0;    // the desktop's generator record; an empty slot on ES
const int PARTICLE = 1;

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
uniform int particleCount;  // newborn per burst; 0 when none is due
uniform vec3 randomSeed[MAX_BURSTS];  // one per burst, drawn on the CPU
uniform float burstAge;               // the first burst's age
uniform float generationInterval;     // between two bursts

struct Record {
    vec3 position;
    vec3 velocity;
    vec3 color;
    float lifetime;
    float timeleft;
    float size;
    int type;
};

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

// The sequence of one newborn: varied by its burst's seed and by its place in
// the burst, so two particles of one burst differ.
void startSequence(int burst, int particle) {
    uvec3 seedBits = floatBitsToUint(randomSeed[burst]);
    rngState = hash(seedBits.x ^ hash(seedBits.y ^ hash(seedBits.z ^ hash(uint(particle) + 1U))));
}

// Uniform in [0, 1).
float nextRandom() {
    rngState = hash(rngState);
    return float(rngState >> 8) * (1.0 / 16777216.0);
}

// `seconds` on: constant acceleration, integrated exactly, so that the path
// does not depend on the frame rate. Time is up once timeleft reaches 0.
Record aged(Record p, float seconds) {
    p.position += (p.velocity + 0.5 * genGravity * seconds) * seconds;
    p.velocity += genGravity * seconds;
    p.timeleft -= seconds;
    return p;
}

// Newborn `index` of this update, counted over its bursts in order.
Record newborn(int index) {
    int burst = index / particleCount;
    startSequence(burst, index - burst * particleCount);
    // The order of the draws decides the values.
    Record p;
    p.position = mix(genPosition1, genPosition2, nextRandom());  // anywhere on the segment
    vec3 share = vec3(nextRandom(), nextRandom(), nextRandom());
    p.velocity = genVelocity_Min + genVelocity_Range * share;
    p.color = genColor;
    p.lifetime = genLifetime_Min + genLifetime_Range * nextRandom();
    p.timeleft = p.lifetime;
    p.size = genSize_Min + genSize_Range * nextRandom();
    p.type = PARTICLE;
    return aged(p, max(burstAge - float(burst) * generationInterval, 0.0));
}
