#include "app/run/FrameCapture.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/run/Screenshot.h"

namespace capture {

std::string nextNumberedName(const std::string& dir,
                             const std::function<bool(const std::string&)>& exists) {
    const std::string prefix = (dir.empty() ? std::string(".") : dir) + "/emberwight-";
    for (int number = 1; number <= 9999; ++number) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", number);
        const std::string name = prefix + digits + ".png";
        if (!exists(name)) return name;
    }
    return "";
}

bool crossesInterval(double before, double after, double every) {
    if (every <= 0.0 || after <= before) return false;
    return std::floor(after / every) > std::floor(before / every);
}

std::string saveNumbered(const std::string& dir, int width, int height) {
    std::error_code error;
    std::filesystem::create_directory(dir, error);  // an existing folder is fine
    const std::string name = nextNumberedName(dir, [](const std::string& path) {
        std::error_code missing;
        return std::filesystem::exists(path, missing);
    });
    if (name.empty() || !writeScreenshot(name, width, height)) return "";
    return name;
}

}  // namespace capture
