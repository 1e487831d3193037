#pragma once
#include <string>

// Writes the colour buffer of the bound read framebuffer (width x height) to a
// PNG file. Returns false, with a line on the console, when it cannot.
bool writeScreenshot(const std::string& fileName, int width, int height);
