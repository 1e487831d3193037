#include "GraphicsEngine/ResourcePaths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "GraphicsEngine/Platform.h"

namespace paths {

namespace {
const std::string kRootPrefix = "../Emberwight/";
const std::string kShaderSubdir = "/GraphicsEngine/Shader";
const std::string kInstalledData = "/../share/emberwight";
}

std::string dataRoot() {
    const char* root = std::getenv(kRootVariable);
    if (root != nullptr && root[0] != '\0') return root;
    const std::string executable = platform::executablePath();
    if (executable.empty()) return EMBERWIGHT_DATA_ROOT;
    return rootForExecutable(std::filesystem::path(executable).parent_path().string(),
                             EMBERWIGHT_DATA_ROOT, [](const std::string& path) {
                                 std::error_code error;
                                 return std::filesystem::is_directory(path, error);
                             });
}

std::string rootForExecutable(const std::string& executableDir, const std::string& buildTree,
                              const std::function<bool(const std::string&)>& isDirectory) {
    if (executableDir.empty()) return buildTree;
    if (isDirectory(executableDir + kShaderSubdir)) return executableDir;
    const std::string installed =
        std::filesystem::path(executableDir + kInstalledData).lexically_normal().generic_string();
    if (isDirectory(installed + kShaderSubdir)) return installed;
    return buildTree;
}

std::string resolveWithRoot(const std::string& systemPath, const std::string& root) {
    std::string path = systemPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.compare(0, kRootPrefix.size(), kRootPrefix) != 0) return path;
    std::string base = root;
    if (base.empty()) base = ".";
    if (base.back() != '/') base += '/';
    return base + path.substr(kRootPrefix.size());
}

std::string resolvePath(const std::string& systemPath) {
    return resolveWithRoot(systemPath, dataRoot());
}

}  // namespace paths
