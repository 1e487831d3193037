#pragma once
// What the program tells the page it runs in (app/web/page.js shows it).
#include <string>

namespace page {

// The run cannot start, or has ended: the page shows `text` over the canvas.
void showMessage(const std::string& text);

// A frame is drawn: `count` frames so far, the camera at `pose` (as
// --print-camera prints it).
void frameDrawn(long count, const std::string& pose);

// The run ended after the frames the address asked for: the page says so
// under the last frame.
void stoppedAfter(long frames);

}  // namespace page
