#pragma once
#include <functional>
#include <glm/glm.hpp>

#include "tools/Image.h"

// A sprite sheet of rows x columns square cells: frame 0 at the top left,
// frames left to right, then top to bottom. draw(frame, p) gives the colour
// (and alpha) of a frame at p, with p in -1..1 across the cell and y up.
Image spriteSheet(int rows, int columns, int cellSize, int frames,
                  const std::function<glm::vec4(int frame, glm::vec2 p)>& draw);
