#include "app/run/Options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "app/Keys.h"
#include "app/run/TextWrap.h"
#include "render/Antialias.h"

namespace options {

namespace {

bool readCount(const std::string& text, long& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value <= 0) return false;
    out = value;
    return true;
}

bool readIndex(const std::string& text, int& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 0 || value > 9999) return false;
    out = static_cast<int>(value);
    return true;
}

// A render scale, 0.5 to 1.
bool readScale(const std::string& text, float& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !(value >= 0.5f && value <= 1.0f)) return false;
    out = value;
    return true;
}

// A volume, 0 to 1.
bool readFraction(const std::string& text, float& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !(value >= 0.0f && value <= 1.0f)) return false;
    out = value;
    return true;
}

// Frames per second, 0 (off) to 240.
bool readRate(const std::string& text, int& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 0 || value > 240) return false;
    out = static_cast<int>(value);
    return true;
}

bool readText(const std::string& text, std::string& out) {
    if (text.empty()) return false;
    out = text;
    return true;
}

// Exactly `count` finite numbers separated by commas.
bool readNumbers(const std::string& text, float* out, int count) {
    const char* at = text.c_str();
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        errno = 0;
        const float value = std::strtof(at, &end);
        if (end == at || errno != 0 || !std::isfinite(value)) return false;
        if (*end != (i + 1 < count ? ',' : '\0')) return false;
        out[i] = value;
        at = end + 1;
    }
    return true;
}

// A plain flag: sets `field` to `value`.
std::function<bool(RunOptions&, const std::string&)> sets(bool RunOptions::*field, bool value) {
    return [field, value](RunOptions& o, const std::string&) {
        o.*field = value;
        return true;
    };
}

const char* const kCount = "a whole number of frames above 0";
const char* const kSeconds = "a number of seconds above 0";
const char* const kNoValue = "no value";

// --auto-keys's line: the keys it presses, in its order.
std::string autoKeysHelp() {
    std::string names;
    for (const keys::Key& key : keys::all()) {
        if (keys::isScripted(key.kind)) names += std::string(names.empty() ? "" : ", ") + key.name;
    }
    return "every N frames press the next of " + names + " (soak runs)";
}

}  // namespace

bool readSeconds(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0.0) return false;
    out = value;
    return true;
}

const std::vector<Option>& all() {
    using O = RunOptions;
    using V = const std::string&;
    static const std::vector<Option> table = {
        {"--frames", "N", "end after N frames, as ESC would", kEverywhere, kCount,
         [](O& o, V v) { return readCount(v, o.frames); }},
        {"--seconds", "S", "end once S seconds have passed in the demo", kEverywhere, kSeconds,
         [](O& o, V v) { return readSeconds(v, o.seconds); }},
        {"--fixed-dt", "S",
         "give every frame S seconds of simulated time, without sleeping (reproducible runs)",
         kEverywhere, kSeconds, [](O& o, V v) { return readSeconds(v, o.fixedDt); }},
        {"--screenshot", "FILE", "write the last frame to FILE as a PNG", kDesktop, "a file name",
         [](O& o, V v) { return readText(v, o.screenshot); }},
        {"--shot-every", "S", "write a numbered PNG every S seconds (see --shot-dir)", kDesktop,
         kSeconds, [](O& o, V v) { return readSeconds(v, o.shotEvery); }},
        {"--shot-dir", "DIR", "folder for numbered PNGs, from --shot-every and F12 (default .)",
         kDesktop, "a folder", [](O& o, V v) { return readText(v, o.shotDir); }},
        {"--benchmark", "[S]",
         "fly the tour without frame limit and report S seconds of frame times and GPU pass "
         "times after a 3 s warm-up (default 30)",
         kEverywhere, kSeconds,
         [](O& o, V v) {
             if (v.empty()) o.benchmark = 30.0;
             return v.empty() || readSeconds(v, o.benchmark);
         }},
        {"--benchmark-csv", "FILE", "with --benchmark: one row per measured frame", kDesktop,
         "a file name", [](O& o, V v) { return readText(v, o.benchmarkCsv); }},
        {"--print-camera", "", "print the camera's position, direction, yaw and pitch at the end",
         kEverywhere, kNoValue, sets(&O::printCamera, true)},
        {"--auto-keys", "N", autoKeysHelp(), kEverywhere, kCount,
         [](O& o, V v) { return readCount(v, o.autoKeys); }},
        {"--gl-debug", "",
         "print every GL error as it happens and their count at the end (a driver without debug "
         "output is named and the run goes on)",
         kEverywhere, kNoValue, sets(&O::glDebug, true)},
        {"--stats", "N", "every N frames print resident memory and the counters", kEverywhere,
         kCount, [](O& o, V v) { return readCount(v, o.statsEvery); }},
        {"--no-shadow-casters", "",
         "draw nothing into the fire light's shadow cube (for comparison shots)", kEverywhere,
         kNoValue, sets(&O::shadowCasters, false)},
        {"--unlit", "",
         "lit and effigy surfaces show their colour texture only: the floor that the cost of "
         "shading is measured from",
         kEverywhere, kNoValue, sets(&O::unlit, true)},
        {"--no-shader-reload", "",
         "do not rebuild programs whose GLSL files are saved while the demo runs", kDesktop,
         kNoValue, sets(&O::shaderReload, false)},
        {"--camera", "X,Y,Z,YAW,PITCH",
         "start the walk at this pose, as --print-camera prints it", kEverywhere,
         "X,Y,Z,YAW,PITCH (five numbers, pitch -90 to 90)",
         [](O& o, V v) {
             o.placeCamera = readNumbers(v, o.cameraPose, 5) && std::abs(o.cameraPose[4]) <= 90.0f;
             return o.placeCamera;
         }},
        {"--headless", "",
         "render offscreen through EGL, with no window or display: on a GPU where one is found, "
         "else on the software renderer; no keys, mouse or text overlay",
         kDesktop, kNoValue, sets(&O::headless, true)},
        {"--egl-device", "N",
         "with --headless: render on EGL device N instead of the one chosen (an unknown N lists "
         "them)",
         kHeadless, "a device number from 0", [](O& o, V v) { return readIndex(v, o.eglDevice); }},
        {"--gles", "",
         "render through OpenGL ES 3.0, the renderer a browser has, with no geometry shaders "
         "(the page always does)",
         kEverywhere, kNoValue, sets(&O::gles, true)},
        {"--glow", "", "start with the glow around the fire on (key G)", kEverywhere, kNoValue,
         sets(&O::glow, true)},
        {"--show-shadow-cube", "", "start with the fire light's shadow cube shown as a box (key C)",
         kEverywhere, kNoValue, sets(&O::showShadowCube, true)},
        {"--panel", "", "start with the settings panel open (key Tab)", kEverywhere, kNoValue,
         sets(&O::panel, true)},
        {"--render-scale", "S",
         "draw the 3D scene at S (0.5 to 1) times the window's size and scale it up, keeping "
         "edges and sharpened; text, panel and screenshots keep the whole size (default 1)",
         kEverywhere, "a number from 0.5 to 1", [](O& o, V v) { return readScale(v, o.renderScale); }},
        {"--full-res-particles", "",
         "draw the particles at the whole size, not at half size laid over the scene",
         kEverywhere, kNoValue, sets(&O::fullResParticles, true)},
        {"--hard-particles", "",
         "draw the particles cut where they meet the scene, not faded before it",
         kEverywhere, kNoValue, sets(&O::hardParticles, true)},
        {"--bilinear-upscale", "",
         "below a render scale of 1, scale the scene up bilinearly instead (for comparison shots)",
         kEverywhere, kNoValue, sets(&O::bilinearUpscale, true)},
        {"--antialias", "MODE",
         "smooth the edges: off; post, one edge-directed filter over the picture before the "
         "text; msaa, the scene multisampled (default: msaa on a GPU with 4 samples, post on a "
         "software renderer)",
         kEverywhere, "off, post or msaa",
         [](O& o, V v) {
             antialias::Mode mode;
             if (!antialias::parse(v, mode)) return false;
             o.antialias = static_cast<int>(mode) + 1;  // as the settings' choice counts
             return true;
         }},
        {"--msaa-samples", "N",
         "with msaa: N samples per pixel, at most what the driver offers (default 4)",
         kEverywhere, "a whole number of samples from 2 to 32",
         [](O& o, V v) {
             long samples = 0;
             if (!readCount(v, samples) || samples < 2 || samples > 32) return false;
             o.msaaSamples = static_cast<int>(samples);
             return true;
         }},
        {"--target-fps", "N",
         "hold N frames per second by picking the render scale between 0.5 and 1 from the frame "
         "times (0: off, the default; the page starts with 30)",
         kEverywhere, "a whole number of frames per second from 0 to 240",
         [](O& o, V v) { return readRate(v, o.targetFps); }},
        {"--settings", "FILE", "apply the settings in the JSON file FILE at start-up", kEverywhere,
         "a settings file", [](O& o, V v) { return readText(v, o.settingsFile); }},
        {"--print-settings", "",
         "print every setting with its value (after --settings) as JSON that --settings reads "
         "back, and end",
         kDesktop, kNoValue, sets(&O::printSettings, true)},
        {"--mute", "", "start with the fire's sound muted (key M)", kEverywhere, kNoValue,
         sets(&O::mute, true)},
        {"--volume", "V", "the fire's sound at volume V, 0 to 1 (default 1)", kEverywhere,
         "a number from 0 to 1", [](O& o, V v) { return readFraction(v, o.volume); }},
        {"--audio-out", "FILE",
         "write the sound of exactly the frames drawn to FILE as a 16-bit stereo WAV, mixed "
         "without an audio device or real time (with --fixed-dt, the same file every run)",
         kDesktop, "a file name", [](O& o, V v) { return readText(v, o.audioOut); }},
        {"--help", "", "show this text", kEverywhere, kNoValue, sets(&O::help, true)},
    };
    return table;
}

const Option* find(const std::string& name) {
    for (const Option& option : all()) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

std::string places(unsigned where) {
    std::string text;
    for (const auto& [bit, word] : {std::pair{kWindow, "window"}, std::pair{kHeadless, "headless"},
                                    std::pair{kBrowser, "page"}}) {
        if (where & bit) text += (text.empty() ? "" : ", ") + std::string(word);
    }
    return text;
}

std::string helpLines() {
    const size_t column = 23;
    std::string text;
    for (const Option& option : all()) {
        std::string lead = std::string("  ") + option.name;
        if (option.takesValue()) lead += std::string(" ") + option.argument;
        if (lead.size() < column - 1) lead.resize(column - 1, ' ');
        if (lead.size() > column - 1) lead += ' ';  // two spaces after a long name
        text += wrap::lines(lead, wrap::words(option.help), "", "", column);
    }
    return text;
}

std::string markdownList() {
    std::string text = "| Option | Where | Meaning |\n|---|---|---|\n";
    for (const Option& option : all()) {
        std::string name = option.name;
        if (option.takesValue()) name += std::string(" ") + option.argument;
        text += "| `" + name + "` | " + places(option.where) + " | " + option.help + " |\n";
    }
    return text;
}

}  // namespace options
