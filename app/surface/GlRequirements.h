#pragma once
// What the demo needs of the GL driver, checked right after the context is
// made so that an old driver gets one clear line instead of a failure deep
// inside shader building.

#include <string>

namespace requirements {

struct GlVersion {
    int major = 0, minor = 0;
    bool es = false;  // OpenGL ES
};

// The leading "major.minor" of a GL_VERSION string ("3.3 Mesa 22.3.6",
// "4.6.0 NVIDIA 535.104"), or the one after "OpenGL ES " for ES ("OpenGL ES
// 3.2 Mesa 22.3.6"); 0.0 when there is none.
GlVersion parseVersion(const char* versionText);

// Empty when a driver of `version` can run the demo: OpenGL 3.3 (geometry
// shaders, transform feedback, layered rendering, sampler objects) and the
// transform feedback objects that became core in 4.0. Otherwise the line that
// says what is missing, naming the driver by `renderer`.
std::string unmet(GlVersion version, bool transformFeedbackObjects, const std::string& renderer);

// The same for --gles: OpenGL ES 3.0 (transform feedback, instancing, sized
// depth textures) is enough; a desktop context or an older ES is not.
std::string unmetEs(GlVersion version, const std::string& renderer);

// The same for the current context (GLEW already initialised), by the
// desktop's rules or, with `es`, ES's.
std::string unmetByCurrentContext(bool es = false);

// Loads GL's entry points through GLEW for the context just made current and
// checks the driver: empty when the demo can run, else the fatal line's text.
std::string loadAndCheckCurrentContext(bool es = false);

}  // namespace requirements
