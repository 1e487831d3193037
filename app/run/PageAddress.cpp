#include "app/run/PageAddress.h"

#include <cctype>
#include <utility>

#include "app/run/Options.h"

namespace address {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

// True for an option that takes no value ("glow").
bool flag(const std::string& name) {
    const options::Option* option = options::find("--" + name);
    return option != nullptr && !option->takesValue();
}

}  // namespace

std::string decode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                   hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> commandLine(const std::string& query, int canvasWidth, int canvasHeight) {
    // The parameters in order of first appearance, each with its last value.
    std::vector<std::pair<std::string, std::string>> parameters;
    size_t start = !query.empty() && query[0] == '?' ? 1 : 0;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        const std::string part = query.substr(start, end - start);
        const size_t eq = part.find('=');
        const std::string name = decode(part.substr(0, eq));
        const std::string value = eq == std::string::npos ? "" : decode(part.substr(eq + 1));
        if (!name.empty()) {
            bool known = false;
            for (auto& parameter : parameters) {
                if (parameter.first == name) parameter.second = value, known = true;
            }
            if (!known) parameters.emplace_back(name, value);
        }
        start = end + 1;
    }

    std::string width = std::to_string(canvasWidth), height = std::to_string(canvasHeight);
    std::string tour = "0";
    std::vector<std::string> optionArgs;
    // The page holds 30 frames a second unless the address says otherwise
    // (target-fps=0: the whole size always): a phone or a machine without a
    // GPU keeps moving.
    bool targetGiven = false;
    for (const auto& [name, value] : parameters) {
        targetGiven = targetGiven || name == "target-fps";
        if (name == "width") {
            width = value;
        } else if (name == "height") {
            height = value;
        } else if (name == "tour") {
            tour = value;
        } else if (flag(name) && (value == "1" || value == "true")) {
            optionArgs.push_back("--" + name);
        } else if (flag(name) && (value == "0" || value == "false")) {
            continue;
        } else {
            // Anything else as --NAME=VALUE: the command line names what it
            // expected of a known option, and an unknown one as unknown.
            optionArgs.push_back("--" + name + "=" + value);
        }
    }
    if (!targetGiven) optionArgs.push_back("--target-fps=" + std::to_string(kPageTargetFps));
    std::vector<std::string> args = {"emberwight", width, height, "0", tour};
    args.insert(args.end(), optionArgs.begin(), optionArgs.end());
    return args;
}

}  // namespace address
