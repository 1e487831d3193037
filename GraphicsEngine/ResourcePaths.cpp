#include "GraphicsEngine/ResourcePaths.h"

#include <algorithm>
#include <cstdlib>

namespace paths {

namespace {
const std::string kRootPrefix = "../Emberwight/";
}

std::string dataRoot() {
    const char* root = std::getenv(kRootVariable);
    if (root != nullptr && root[0] != '\0') return root;
    return EMBERWIGHT_DATA_ROOT;
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
