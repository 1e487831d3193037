#include "support/SceneFiles.h"

#include <FreeImage.h>
#include <filesystem>
#include <fstream>

namespace scene_files {

namespace {

// Six quads with their own uv and normal per corner: 24 vertices, 12 triangles.
const char* const kCube = R"(o cube
v -1 -1 -1
v 1 -1 -1
v 1 1 -1
v -1 1 -1
v -1 -1 1
v 1 -1 1
v 1 1 1
v -1 1 1
vt 0 0
vt 1 0
vt 1 1
vt 0 1
vn 0 0 -1
vn 0 0 1
vn -1 0 0
vn 1 0 0
vn 0 -1 0
vn 0 1 0
f 1/1/1 4/4/1 3/3/1 2/2/1
f 5/1/2 6/2/2 7/3/2 8/4/2
f 1/1/3 5/2/3 8/3/3 4/4/3
f 2/1/4 3/4/4 7/3/4 6/2/4
f 1/1/5 2/2/5 6/3/5 5/4/5
f 4/1/6 8/2/6 7/3/6 3/4/6
)";

bool saveFilled(const std::string& path, int width, int height, RGBQUAD colour,
                FREE_IMAGE_FORMAT format) {
    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    if (image == nullptr) return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) FreeImage_SetPixelColor(image, x, y, &colour);
    const bool saved = FreeImage_Save(format, image, path.c_str(), 0);
    FreeImage_Unload(image);
    return saved;
}

std::string texturePath(const std::string& root, const std::string& name) {
    return root + "/resources/textures/" + name;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

const std::vector<std::string>& modelNames() {
    static const std::vector<std::string> names = {
        "rock1_big.obj", "rock2_big.obj", "emberwight_platform.obj", "emberwight_rotate.obj",
        "emberwight2.obj", "groundMesh.obj", "skybox.obj"};
    return names;
}

const std::vector<std::string>& textureNames() {
    static const std::vector<std::string> names = {
        "sunsprite.tga", "ground07.jpg", "ground07b.jpg", "ground07n.jpg", "skybox2.jpg",
        "rock1.jpg", "rock1n.jpg", "brick13_2.jpg", "brick13n.jpg", "brick13d.jpg",
        "wood17.jpg", "wood17n_2.jpg", "wood17d.jpg", "wood_burnt.jpg", "particle.tga",
        "smoke45_alpha.tga", "flames3.tga", "flames2.tga", "fire_layer.tga", "noise.tga"};
    return names;
}

bool writeUniformHeightmap(const std::string& root, int level) {
    const BYTE grey = static_cast<BYTE>(level);
    return saveFilled(texturePath(root, "h_level_ew.tga"), 128, 128,
                      RGBQUAD{grey, grey, grey, 0}, FIF_TARGA);
}

bool writeCubeModel(const std::string& root, const std::string& name) {
    std::ofstream out(root + "/resources/models/" + name, std::ios::binary);
    out << kCube;
    return static_cast<bool>(out);
}

bool writeImage(const std::string& root, const std::string& name) {
    const FREE_IMAGE_FORMAT format = endsWith(name, ".jpg") ? FIF_JPEG : FIF_TARGA;
    return saveFilled(texturePath(root, name), 4, 4, RGBQUAD{40, 90, 200, 0}, format);
}

bool writeAll(const std::string& root, const std::string& shaderSourceDir) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path shaders = fs::path(root) / "GraphicsEngine" / "Shader";
    fs::create_directories(shaders, error);
    fs::create_directories(fs::path(root) / "resources" / "textures", error);
    fs::create_directories(fs::path(root) / "resources" / "models", error);
    fs::copy(shaderSourceDir, shaders,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    if (error) return false;
    bool written = writeUniformHeightmap(root, 51);
    for (const std::string& name : modelNames()) written = writeCubeModel(root, name) && written;
    for (const std::string& name : textureNames()) written = writeImage(root, name) && written;
    return written;
}

const char* cubeObj() { return kCube; }

}  // namespace scene_files
