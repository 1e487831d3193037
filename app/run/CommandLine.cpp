#include "app/run/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "app/Keys.h"

namespace {

bool parseCount(const std::string& text, long& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value <= 0) return false;
    out = value;
    return true;
}

bool parseIndex(const std::string& text, int& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 0 || value > 9999) return false;
    out = static_cast<int>(value);
    return true;
}

bool parseSeconds(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0.0) return false;
    out = value;
    return true;
}

bool parseText(const std::string& text, std::string& out) {
    if (text.empty()) return false;
    out = text;
    return true;
}

// Exactly `count` finite numbers separated by commas.
bool parseNumbers(const std::string& text, float* out, int count) {
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

enum class Value { None, Required, Optional };

struct OptionRule {
    const char* name;
    Value value;
    const char* expects;  // for the error line
    std::function<bool(RunOptions&, const std::string&)> apply;
};

const std::vector<OptionRule>& optionRules() {
    static const std::vector<OptionRule> rules = {
        {"--frames", Value::Required, "a whole number of frames above 0",
         [](RunOptions& o, const std::string& v) { return parseCount(v, o.frames); }},
        {"--fixed-dt", Value::Required, "a number of seconds above 0",
         [](RunOptions& o, const std::string& v) { return parseSeconds(v, o.fixedDt); }},
        {"--seconds", Value::Required, "a number of seconds above 0",
         [](RunOptions& o, const std::string& v) { return parseSeconds(v, o.seconds); }},
        {"--screenshot", Value::Required, "a file name",
         [](RunOptions& o, const std::string& v) { return parseText(v, o.screenshot); }},
        {"--shot-every", Value::Required, "a number of seconds above 0",
         [](RunOptions& o, const std::string& v) { return parseSeconds(v, o.shotEvery); }},
        {"--shot-dir", Value::Required, "a folder",
         [](RunOptions& o, const std::string& v) { return parseText(v, o.shotDir); }},
        {"--print-camera", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.printCamera = true; }},
        {"--benchmark", Value::Optional, "a number of seconds above 0",
         [](RunOptions& o, const std::string& v) {
             if (v.empty()) o.benchmark = 30.0;
             return v.empty() || parseSeconds(v, o.benchmark);
         }},
        {"--benchmark-csv", Value::Required, "a file name",
         [](RunOptions& o, const std::string& v) { return parseText(v, o.benchmarkCsv); }},
        {"--auto-keys", Value::Required, "a whole number of frames above 0",
         [](RunOptions& o, const std::string& v) { return parseCount(v, o.autoKeys); }},
        {"--gl-debug", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.glDebug = true; }},
        {"--stats", Value::Required, "a whole number of frames above 0",
         [](RunOptions& o, const std::string& v) { return parseCount(v, o.statsEvery); }},
        {"--no-shadow-casters", Value::None, "no value",
         [](RunOptions& o, const std::string&) {
             o.shadowCasters = false;
             return true;
         }},
        {"--unlit", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.unlit = true; }},
        {"--no-shader-reload", Value::None, "no value",
         [](RunOptions& o, const std::string&) {
             o.shaderReload = false;
             return true;
         }},
        {"--camera", Value::Required, "X,Y,Z,YAW,PITCH (five numbers, pitch -90 to 90)",
         [](RunOptions& o, const std::string& v) {
             o.placeCamera = parseNumbers(v, o.cameraPose, 5) && std::abs(o.cameraPose[4]) <= 90.0f;
             return o.placeCamera;
         }},
        {"--headless", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.headless = true; }},
        {"--egl-device", Value::Required, "a device number from 0",
         [](RunOptions& o, const std::string& v) { return parseIndex(v, o.eglDevice); }},
        {"--gles", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.gles = true; }},
        {"--glow", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.glow = true; }},
        {"--show-shadow-cube", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.showShadowCube = true; }},
        {"--settings", Value::Required, "a settings file",
         [](RunOptions& o, const std::string& v) { return parseText(v, o.settingsFile); }},
        {"--print-settings", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.printSettings = true; }},
        {"--panel", Value::None, "no value",
         [](RunOptions& o, const std::string&) { return o.panel = true; }},
    };
    return rules;
}

// `lead`, then `items` joined by ", " and followed by `end`, broken before an
// item that would pass column 80 (never inside one); the following lines
// start `indent` spaces in.
std::string wrapped(const std::string& lead, const std::vector<std::string>& items,
                    const std::string& end, size_t indent) {
    const size_t width = 80;
    std::string text = lead;
    size_t column = lead.size();
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string piece = items[i] + (i + 1 == items.size() ? end : ",");
        if (column + 1 + piece.size() > width && i > 0) {
            text += "\n" + std::string(indent, ' ');
            column = indent;
        } else {
            text += ' ';
            ++column;
        }
        text += piece;
        column += piece.size();
    }
    return text + "\n";
}

// The --auto-keys line: the keys it presses, in its order.
std::string autoKeysLine() {
    std::vector<std::string> names;
    for (const keys::Key& key : keys::all()) {
        if (keys::isScripted(key.kind)) names.push_back(key.name);
    }
    return wrapped("  --auto-keys N        every N frames press the next of", names, " (soak runs)",
                   23);
}

// What each key does, after the mouse.
std::string keysParagraph() {
    std::vector<std::string> uses = {"mouse to look"};
    for (const keys::Key& key : keys::all()) {
        uses.push_back(std::string(key.name) + " " + key.label);
    }
    return wrapped("Keys:", uses, ".", 6);
}

bool isNumber(const std::string& text) {
    double ignored;
    return parseSeconds(text, ignored);
}

}  // namespace

bool optionTakesNoValue(const std::string& option) {
    for (const OptionRule& rule : optionRules()) {
        if (option == rule.name) return rule.value == Value::None;
    }
    return false;
}

bool flagWord(const std::string& word) {
    return word == "true" || std::atoi(word.c_str()) > 0;
}

LaunchConfig parseCommandLine(const std::vector<std::string>& args) {
    LaunchConfig config;
    std::vector<std::string> positional;
    if (!args.empty()) positional.push_back(args[0]);

    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const bool inlineValue = eq != std::string::npos;
        std::string value = inlineValue ? arg.substr(eq + 1) : "";

        if (name == "--help" && !inlineValue) {
            config.help = true;
            continue;
        }
        const OptionRule* rule = nullptr;
        for (const OptionRule& candidate : optionRules()) {
            if (name == candidate.name) rule = &candidate;
        }
        if (rule == nullptr) {
            config.error = "unknown option '" + arg + "' (see --help)";
            return config;
        }
        bool valueOk = true;
        if (rule->value == Value::None) {
            valueOk = !inlineValue;
        } else if (!inlineValue) {
            const bool next = i + 1 < args.size();
            if (rule->value == Value::Required && next) value = args[++i];
            // An optional value is taken only when the next argument is a number.
            if (rule->value == Value::Optional && next && isNumber(args[i + 1])) value = args[++i];
            valueOk = next || rule->value == Value::Optional;
        }
        if (!valueOk || !rule->apply(config.options, value)) {
            config.error = name + " needs " + rule->expects + ", got '" + value + "'";
            return config;
        }
    }

    const int argc = static_cast<int>(positional.size());
    config.positionalCount = argc;
    if (argc >= 4) {
        config.width = std::atoi(positional[1].c_str());
        config.height = std::atoi(positional[2].c_str());
        config.fullscreen = flagWord(positional[3]);
    }
    if (argc == 5) config.cameraTour = flagWord(positional[4]);

    // Headless there is no window: nothing to fill the screen with, no keys.
    if (config.options.headless && config.fullscreen) {
        config.error = "FULLSCREEN needs a window; --headless renders offscreen";
    } else if (config.options.eglDevice >= 0 && !config.options.headless) {
        config.error = "--egl-device picks the device of --headless runs only";
    }
    return config;
}

bool windowSizeAcceptable(unsigned width, unsigned height) {
    const unsigned largest = 32767;
    return width >= 1 && height >= 1 && width <= largest && height <= largest;
}

std::string usageText() {
    return
        "Usage: emberwight [WIDTH HEIGHT FULLSCREEN [TOUR]] [OPTIONS]\n"
        "\n"
        "  WIDTH HEIGHT         window size in pixels (read only with FULLSCREEN; default 1024 768)\n"
        "  FULLSCREEN           'true' or a number above 0 opens a full-screen window\n"
        "  TOUR                 'true' or a number above 0 starts the camera tour\n"
        "\n"
        "Options:\n"
        "  --frames N           end after N frames, as ESC would\n"
        "  --seconds S          end once S seconds have passed in the demo\n"
        "  --fixed-dt S         give every frame S seconds of simulated time, without sleeping\n"
        "  --screenshot FILE    write the last frame to FILE as a PNG\n"
        "  --shot-every S       write a numbered PNG every S seconds (see --shot-dir)\n"
        "  --shot-dir DIR       folder for numbered PNGs, from --shot-every and F12 (default .)\n"
        "  --benchmark [S]      fly the tour without frame limit and report S seconds of\n"
        "                       frame times and GPU pass times after a 3 s warm-up (default 30)\n"
        "  --benchmark-csv FILE with --benchmark: one row per measured frame\n"
        "  --print-camera       print the camera's position, direction, yaw and pitch at the end\n" +
        autoKeysLine() +
        "  --gl-debug           print every GL error as it happens and their count at the end\n"
        "  --stats N            every N frames print resident memory and the counters\n"
        "  --no-shadow-casters  draw nothing into the fire light's shadow cube (comparisons)\n"
        "  --unlit              lit and effigy surfaces show their colour texture only\n"
        "                       (the floor that the cost of shading is measured from)\n"
        "  --no-shader-reload   do not rebuild programs whose GLSL files are saved while running\n"
        "  --camera X,Y,Z,YAW,PITCH  start the walk at this pose (as --print-camera prints it)\n"
        "  --headless           render offscreen through EGL, with no window or display:\n"
        "                       on a GPU where one is found, else on the software renderer;\n"
        "                       no keys, mouse or text overlay\n"
        "  --egl-device N       with --headless: render on EGL device N (an unknown N lists them)\n"
        "  --gles               render through OpenGL ES 3.0, windowed or with --headless:\n"
        "                       the renderer a browser has, with no geometry shaders\n"
        "  --glow               start with the glow around the fire on (key G)\n"
        "  --show-shadow-cube   start with the fire light's shadow cube shown as a box (key C)\n"
        "  --panel              start with the settings panel open (key Tab)\n"
        "  --settings FILE      apply the settings in the JSON file FILE at start-up\n"
        "  --print-settings     print every setting with its value (after --settings) as JSON\n"
        "                       that --settings reads back, and end\n"
        "  --help               show this text\n"
        "\n" +
        keysParagraph() +
        "\n"
        "Environment:\n"
        "  EMBERWIGHT_ROOT      folder holding GraphicsEngine/ and resources/ (default: beside the\n"
        "                       program, else ../share/emberwight, else the source tree)\n";
}
