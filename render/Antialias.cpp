#include "render/Antialias.h"

#include <algorithm>
#include <cctype>

namespace antialias {

namespace {

const char* const kNames[kModes] = {"off", "post", "msaa"};

}  // namespace

const char* nameOf(Mode mode) { return kNames[static_cast<int>(mode)]; }

bool parse(const std::string& text, Mode& out) {
    for (int i = 0; i < kModes; ++i) {
        if (text == kNames[i]) {
            out = static_cast<Mode>(i);
            return true;
        }
    }
    return false;
}

bool isSoftwareRenderer(const std::string& renderer) {
    std::string lower = renderer;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* name : {"llvmpipe", "softpipe", "swiftshader"}) {
        if (lower.find(name) != std::string::npos) return true;
    }
    return false;
}

Mode defaultFor(int maxSamples, bool software) {
    return !software && maxSamples >= kDefaultSamples ? Mode::Msaa : Mode::Post;
}

Mode chosen(int setting, Mode rendererDefault) {
    if (setting < 1 || setting > kModes) return rendererDefault;
    return static_cast<Mode>(setting - 1);
}

int samples(int asked, int maxSamples) { return std::max(1, std::min(asked, maxSamples)); }

}  // namespace antialias
