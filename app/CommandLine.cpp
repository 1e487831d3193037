#include "app/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool parseCount(const std::string& text, long& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 0) return false;
    out = value;
    return true;
}

bool parseSeconds(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0.0) return false;
    out = value;
    return true;
}

}  // namespace

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
        std::string name = arg;
        std::string value;
        bool hasValue = false;
        size_t eq = arg.find('=');
        if (eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        auto takeValue = [&]() {
            if (hasValue) return true;
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };

        if (name == "--help" && !hasValue) {
            config.help = true;
        } else if (name == "--frames") {
            if (!takeValue() || !parseCount(value, config.frames) || config.frames == 0) {
                config.error = "--frames needs a whole number of frames above 0, got '" + value + "'";
                return config;
            }
        } else if (name == "--fixed-dt") {
            if (!takeValue() || !parseSeconds(value, config.fixedDt)) {
                config.error = "--fixed-dt needs a number of seconds above 0, got '" + value + "'";
                return config;
            }
        } else if (name == "--screenshot") {
            if (!takeValue() || value.empty()) {
                config.error = "--screenshot needs a file name";
                return config;
            }
            config.screenshot = value;
        } else if (name == "--print-camera" && !hasValue) {
            config.printCamera = true;
        } else {
            config.error = "unknown option '" + arg + "' (see --help)";
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
    return config;
}

std::string usageText() {
    return
        "Usage: emberwight [WIDTH HEIGHT FULLSCREEN [TOUR]] [OPTIONS]\n"
        "\n"
        "  WIDTH HEIGHT       window size in pixels (read only with FULLSCREEN; default 1024 768)\n"
        "  FULLSCREEN         'true' or a number above 0 opens a full-screen window\n"
        "  TOUR               'true' or a number above 0 starts the camera tour\n"
        "\n"
        "Options:\n"
        "  --frames N         end after N frames, as ESC would\n"
        "  --fixed-dt S       give every frame S seconds of simulated time, without sleeping\n"
        "  --screenshot FILE  write the last frame to FILE as a PNG\n"
        "  --print-camera     print the camera's position, direction, yaw and pitch at the end\n"
        "  --help             show this text\n"
        "\n"
        "Environment:\n"
        "  EMBERWIGHT_ROOT    folder holding GraphicsEngine/ and resources/ (default: the source tree)\n";
}
