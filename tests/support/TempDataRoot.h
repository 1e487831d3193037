#pragma once
#include <string>

// A fresh folder with resources/textures and resources/models that serves as
// the data root (EMBERWIGHT_ROOT) while the object lives; removed afterwards.
class TempDataRoot {
public:
    TempDataRoot();
    ~TempDataRoot();
    TempDataRoot(const TempDataRoot&) = delete;
    TempDataRoot& operator=(const TempDataRoot&) = delete;

    const std::string& path() const { return root_; }
    std::string texturePath(const std::string& name) const;
    std::string modelPath(const std::string& name) const;
    // Writes `text` to a file below the root; returns its full path.
    std::string writeFile(const std::string& relativePath, const std::string& text) const;

private:
    std::string root_;
};
