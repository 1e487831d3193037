#pragma once
// How the frame smooths its edges, and which way suits a renderer: free of GL.
// `msaa` draws the scene's geometry into a multisampled target resolved by a
// blit; `post` runs one edge-directed filter over the final picture, before
// the text and the panel. A GPU that offers enough samples multisamples; a
// software renderer, where every sample is paid for on the CPU, filters.
#include <string>

namespace antialias {

enum class Mode { Off, Post, Msaa };
constexpr int kModes = 3;

// The samples a GPU must offer for msaa to be its default.
constexpr int kDefaultSamples = 4;

const char* nameOf(Mode mode);  // "off", "post", "msaa"
bool parse(const std::string& text, Mode& out);

// Whether GL_RENDERER names a renderer that runs on the CPU (llvmpipe,
// softpipe, SwiftShader), in any case.
bool isSoftwareRenderer(const std::string& renderer);

// Chosen once at start-up: msaa where a GPU offers kDefaultSamples, post
// elsewhere.
Mode defaultFor(int maxSamples, bool software);

// A settings value (0: the renderer's default, then off, post, msaa) as
// the mode it asks for.
Mode chosen(int setting, Mode rendererDefault);

// The samples drawn: as asked, within what the driver offers; below 2 there
// is nothing to resolve and msaa draws as off.
int samples(int asked, int maxSamples);

}  // namespace antialias
