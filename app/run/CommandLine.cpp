#include "app/run/CommandLine.h"

#include <cstdlib>

#include "app/Keys.h"
#include "app/run/TextWrap.h"

namespace {

// What each key does, after the mouse.
std::string keysParagraph() {
    std::vector<std::string> uses = {"mouse to look"};
    for (const keys::Key& key : keys::all()) {
        uses.push_back(std::string(key.name) + " " + key.label);
    }
    return wrap::lines("Keys:", uses, ",", ".", 6);
}

// Why an option given does not apply to a run in `place` (one place).
std::string misplaced(const options::Option& option, unsigned place) {
    const std::string name = option.name;
    if (place == options::kBrowser) return name + " does not apply in the page";
    if (place == options::kHeadless) return name + " needs a window; --headless renders offscreen";
    return name + " applies to --headless runs only";
}

}  // namespace

bool flagWord(const std::string& word) {
    return word == "true" || std::atoi(word.c_str()) > 0;
}

LaunchConfig parseCommandLine(const std::vector<std::string>& args, unsigned host) {
    LaunchConfig config;
    std::vector<const options::Option*> given;
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

        const options::Option* option = options::find(name);
        if (option == nullptr) {
            config.error = "unknown option '" + arg + "' (see --help)";
            return config;
        }
        bool valueOk = true;
        if (!option->takesValue()) {
            valueOk = !inlineValue;
        } else if (!inlineValue) {
            const bool next = i + 1 < args.size();
            // An optional value is taken only when the next argument is a number.
            double number;
            if (next && (!option->valueOptional() || options::readSeconds(args[i + 1], number))) {
                value = args[++i];
            }
            valueOk = next || option->valueOptional();
        }
        if (!valueOk || !option->apply(config.options, value)) {
            config.error = name + " needs " + option->expects + ", got '" + value + "'";
            return config;
        }
        given.push_back(option);
    }

    const unsigned place = host == options::kBrowser ? options::kBrowser
                           : config.options.headless ? options::kHeadless
                                                     : options::kWindow;
    for (const options::Option* option : given) {
        if ((option->where & place) == 0) {
            config.error = misplaced(*option, place);
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
    }
    return config;
}

bool windowSizeAcceptable(unsigned width, unsigned height) {
    const unsigned largest = 32767;
    return width >= 1 && height >= 1 && width <= largest && height <= largest;
}

std::string usageText() {
    return "Usage: emberwight [WIDTH HEIGHT FULLSCREEN [TOUR]] [OPTIONS]\n"
           "\n"
           "  WIDTH HEIGHT         window size in pixels, read only with FULLSCREEN\n"
           "                       (default 1024 768)\n"
           "  FULLSCREEN           'true' or a number above 0 opens a full-screen window\n"
           "  TOUR                 'true' or a number above 0 starts the camera tour\n"
           "\n"
           "Options:\n" +
           options::helpLines() + "\n" + keysParagraph() +
           "\n"
           "Environment:\n"
           "  EMBERWIGHT_ROOT      folder holding GraphicsEngine/ and resources/ (default:\n"
           "                       beside the program, else ../share/emberwight, else the\n"
           "                       source tree)\n";
}
