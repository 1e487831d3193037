#pragma once
#include <GL/glew.h>

#include <cstdint>

#include <glm/glm.hpp>

// The decisions of a particle system that need no GL: emission timing, the
// random seeds handed to the update program, the sprite-sheet cell and the
// billboard axes.
namespace particles {

// One blend state: GL's source and destination factors for colour and alpha.
struct Blend {
    GLenum sourceColour, destinationColour, sourceAlpha, destinationAlpha;
};
// The sprites' blending by alpha type (0 additive flames and sparks, 1
// alpha-blended smoke): onto the scene's colour exactly as ever, with the
// alpha channel carried as coverage, so that sprites drawn into a target
// cleared to (0, 0, 0, 0) leave premultiplied colour and coverage there.
Blend blendFor(int alphaType);

// Emission follows the scene clock: a system emits one burst of newborn
// every generation interval, whatever the frame rate. An update emits every
// burst that fell due during its time, each newborn already as old as the
// time since its burst's moment, so that a slow frame's newborn come out
// along their paths, as a stream.
constexpr float kShortestInterval = 0.005f;  // the settings' lowest; anything shorter counts as it
// A long gap (a stalled tab, a debugger, a window coming back) emits the
// bursts of this last stretch only; below 4 updates a second the fire thins.
constexpr float kCatchUpSeconds = 0.25f;
// The most bursts of one update: a quarter second at the shortest interval
// fits, and so does the update programs' table of seeds.
constexpr int kMaxBursts = 64;
// The most newborn of one burst.
constexpr int kMaxEmitted = 32;

// The bursts one update emits, oldest first: burst b is oldestAge - b *
// spacing seconds old at the update's end.
struct EmissionPlan {
    float elapsedTime = 0.0f;  // the accumulator afterwards: never above one interval
    int bursts = 0;
    float oldestAge = 0.0f;
    float spacing = 0.0f;  // the interval, seconds between two bursts

    float age(int burst) const { return oldestAge - static_cast<float>(burst) * spacing; }
    // Keeps the youngest `most` bursts at most (a pool with room for no more).
    void keepYoungest(int most);
};

// The bursts due when timePassed seconds are added to the accumulator
// (elapsedTime, the time since the last burst). An accumulator above the
// interval is overdue (the start value, or an interval the panel just
// shortened): one burst at the update's start, and the count starts over
// from there, so the first update emits at once and a changed interval takes
// effect without a burst of its own. No time passing (a frozen scene) emits
// nothing further.
EmissionPlan planEmission(float elapsedTime, float timePassed, float generationInterval);

// The seeds' random numbers come from this generator, not the C library's
// rand, whose sequence differs between systems (glibc, msvcrt): the same
// options give the same picture everywhere. A 15-bit linear congruential
// generator, starting from seed 1 as rand does unseeded. The particles draw
// from one sequence for the whole program, as rand's was; the fire's sound
// keeps a sequence of the same kind to itself, so that it never moves the
// sparks' seeds.
struct RandomSequence {
    std::uint32_t state = 1;
    int next();  // 0 to 32767
};
int drawRandom();  // the next value of the particles' sequence, 0 to 32767
void seedRandom(unsigned seed);

// Folds one drawn value by the remainder 32768 and maps it onto [-10, 10].
float foldRandom(int randValue);

// The update program's seed from three draws in the order they were drawn:
// the first becomes z, the second y, the third x.
glm::vec3 seedFromDraws(int first, int second, int third);

// The sprite-sheet cell a particle shows at `life` (0 at birth, 1 at its
// end) on a sheet of rows x cols cells of which the first `frames` are used.
// Every particle plays through to the sheet's last cell and never past it: the
// index follows life^animSpeed, so animSpeed is the pace of the last cells
// relative to an even pace (1: even; below 1 the first cells pass quickly and
// the later ones linger). The render program's geometry stage mirrors this.
int sheetCell(float life, int rows, int cols, int frames, float animSpeed);

// The two axes that span a camera-facing quad.
struct BillboardAxes {
    glm::vec3 right;  // quad1
    glm::vec3 down;   // quad2
};
BillboardAxes billboardAxes(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up);

// Soft particles: a sprite fades out over `softness` world units as it nears
// what the scene drew behind it, so that no sprite ends at a straight cut
// where it passes through a limb, the platform or the ground. The render
// programs' fragment stage mirrors these (PSSoft.glsl).

// Eye distance from a window depth (0 near to 1 far) under a perspective
// projection: distance = scale / (2 * depth - 1 + offset).
struct DepthToDistance {
    float scale = 0.0f;
    float offset = 0.0f;
};
DepthToDistance depthToDistance(const glm::mat4& projection);
float eyeDistance(float windowDepth, DepthToDistance rule);

// How much of a sprite's fragment shows: 0 where the scene lies at or in
// front of it, rising smoothly to 1 once the scene lies `softness` behind it.
// A softness of 0 is the hard depth test: all in front, nothing behind.
float softFade(float sceneDistance, float spriteDistance, float softness);

}  // namespace particles
