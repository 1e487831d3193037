#pragma once
// What the text overlay shows, as plain data; Engine::drawOverlay
// (app/Overlay.cpp) only hands it to the renderer back end's text
// (app/OverlayText.h) and the console.

#include <string>
#include <vector>

class Engine;

namespace overlay {

// Twenty lines joined by single line feeds, with no line feed at the end.
extern const std::string helpText;
// The help text with `lookLine` for its line on looking around, and without
// the ESC line where ESC does not end the run.
std::string helpFor(const std::string& lookLine, bool escapeQuits);

// With the render scale in use where it is below 1, and the anti-aliasing
// that runs where it is named.
std::string frameTimeLine(float frameTime, float renderScale = 1.0f,
                          const char* antialias = nullptr);
std::string objectCountLine(int objectsDrawn);
std::string particleCountLine(int particlesCounted);

struct Piece {
    float x = 0.0f, y = 0.0f;  // raster position in normalised device coordinates
    std::string text;
    bool echoed = false;       // copied to the console after a toggle
};

// The height of the line at `yAt768` (normalised device coordinates in a
// 768-pixel framebuffer) in a framebuffer `height` pixels high: the same
// distance in pixels from the top edge, so the lines keep their spacing
// whatever the window's size. Across, positions scale with the width.
float rowY(float yAt768, unsigned height);

// The pieces of this frame, in drawing order.
std::vector<Piece> pieces(const Engine& engine);

}  // namespace overlay
