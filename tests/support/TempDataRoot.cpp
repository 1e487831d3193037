#include "support/TempDataRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "GraphicsEngine/ResourcePaths.h"

namespace fs = std::filesystem;

TempDataRoot::TempDataRoot() {
    std::string pattern = (fs::temp_directory_path() / "emberwight-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
        return;
    }
    root_ = pattern;
    fs::create_directories(fs::path(root_) / "resources" / "textures");
    fs::create_directories(fs::path(root_) / "resources" / "models");
    setenv(paths::kRootVariable, root_.c_str(), 1);
}

TempDataRoot::~TempDataRoot() {
    unsetenv(paths::kRootVariable);
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
}

std::string TempDataRoot::texturePath(const std::string& name) const {
    return root_ + "/resources/textures/" + name;
}

std::string TempDataRoot::modelPath(const std::string& name) const {
    return root_ + "/resources/models/" + name;
}

std::string TempDataRoot::writeFile(const std::string& relativePath, const std::string& text) const {
    const std::string full = root_ + "/" + relativePath;
    std::ofstream(full, std::ios::binary) << text;
    return full;
}
