#pragma once
#include <GL/glew.h>

#include <vector>

// The depths of a depth cube map `size` texels a side, face after face in
// GL's order, each row by row from the bottom as glGetTexImage gives them,
// as 24-bit integers (1 << 24 - 1 is depth 1). Read by drawing them into a
// colour target, which ES (no depth read-back) takes as well; leaves the
// window's framebuffer bound, no program, vertex array or unit-0 cube.
std::vector<unsigned> readCubeDepths(GLuint cube, int size, bool es);
