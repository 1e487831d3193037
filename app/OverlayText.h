#pragma once
// The overlay's pieces (app/Overlay.h) drawn: the two ways the renderer back
// ends call (render/RenderBackend.h). Both draw plain white text whose first
// line has its baseline's left end at the piece's (x, y), in clip coordinates,
// and whose further lines follow 23 pixels apart, as freeglut's Helvetica 18
// moves down a line.

#include <vector>

#include "app/Overlay.h"

class RenderBackend;

namespace overlay {

// freeglut's Helvetica 18 bitmap font at raster positions, with fixed-function
// colour: desktop OpenGL (app/OverlayTextGlut.cpp). Leaves program 0 bound.
void drawBitmapText(const std::vector<Piece>& pieces);

// Dear ImGui's default font at Helvetica 18's size, as one draw list that
// `backend`'s panel renderer draws over a framebuffer of `width` x `height`
// pixels, outside any ImGui frame: OpenGL ES (app/OverlayTextImGui.cpp). The
// current ImGui context holds the font (app/UiContext.h).
void drawImGuiText(const std::vector<Piece>& pieces, unsigned width, unsigned height,
                   RenderBackend& backend);

}  // namespace overlay
