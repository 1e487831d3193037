#include "ResourceFiles.h"

#include <assimp/scene.h>
#include <algorithm>
#include <assimp/Importer.hpp>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace resources {

std::string dataRoot() {
    return EMBERWIGHT_DATA_ROOT;
}

std::string texturePath(const std::string& name, const std::string& root) {
    return root + "/resources/textures/" + name;
}

std::string modelPath(const std::string& name, const std::string& root) {
    return root + "/resources/models/" + name;
}

ImagePtr loadImage(const std::string& path) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return nullptr;
    return ImagePtr(FreeImage_Load(format, path.c_str(), 0));
}

std::vector<float> loadHeightSamples(const std::string& path, int width, int height) {
    ImagePtr image = loadImage(path);
    if (!image) return {};
    ImagePtr grey(FreeImage_ConvertToGreyscale(image.get()));
    ImagePtr scaled(FreeImage_Rescale(grey.get(), width, height, FILTER_BILINEAR));
    ImagePtr values(FreeImage_ConvertToFloat(scaled.get()));
    if (!values) return {};
    std::vector<float> samples;
    for (int y = 0; y < height; ++y) {
        const float* line = reinterpret_cast<const float*>(FreeImage_GetScanLine(values.get(), y));
        samples.insert(samples.end(), line, line + width);
    }
    return samples;
}

Pixel pixelAt(FIBITMAP* image, int x, int yFromTop) {
    const int height = static_cast<int>(FreeImage_GetHeight(image));
    const int bytes = static_cast<int>(FreeImage_GetBPP(image)) / 8;
    const BYTE* p = FreeImage_GetScanLine(image, height - 1 - yFromTop) + x * bytes;
    if (bytes == 1) return {p[0], p[0], p[0], 255};
    return {p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE], bytes == 4 ? p[FI_RGBA_ALPHA] : 255};
}

const aiScene* importModel(Assimp::Importer& importer, const std::string& path) {
    return importer.ReadFile(path, kModelImportFlags);
}

std::vector<Triangle> triangles(const aiMesh* mesh) {
    std::vector<Triangle> result;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (face.mNumIndices != 3) continue;
        Triangle t;
        for (int k = 0; k < 3; ++k) {
            const unsigned i = face.mIndices[k];
            t.p[k] = {mesh->mVertices[i].x, mesh->mVertices[i].y, mesh->mVertices[i].z};
            if (mesh->HasNormals())
                t.n[k] = {mesh->mNormals[i].x, mesh->mNormals[i].y, mesh->mNormals[i].z};
            if (mesh->HasTextureCoords(0))
                t.uv[k] = {mesh->mTextureCoords[0][i].x, mesh->mTextureCoords[0][i].y};
        }
        result.push_back(t);
    }
    return result;
}

std::vector<std::string> filesBelow(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(std::filesystem::relative(entry.path(), folder).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace resources
