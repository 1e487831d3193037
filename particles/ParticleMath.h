#pragma once
#include <glm/glm.hpp>

// The decisions of a particle system that need no GL: emission timing, the
// random seed handed to the update program, the sprite-sheet cell and the
// billboard axes.
namespace particles {

// Result of advancing the emission accumulator by one update.
struct EmissionStep {
    float elapsedTime;  // accumulator after the update
    bool emit;          // whether this update emits
};

// Adds timePassed to the accumulator; emits when it is strictly above the
// interval, and then takes off one interval only: at most one emission per
// update, so a long frame leaves the rest of its time in the accumulator.
EmissionStep advanceEmission(float elapsedTime, float timePassed, float generationInterval);

// The seeds' random numbers come from this generator, not the C library's
// rand, whose sequence differs between systems (glibc, msvcrt): the same
// options give the same picture everywhere. A 15-bit linear congruential
// generator, one sequence for the whole program as rand's was, starting from
// seed 1 as rand does unseeded.
int drawRandom();  // the next value, 0 to 32767
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

}  // namespace particles
