#pragma once
#include <FreeImage.h>

#include <glm/glm.hpp>

#include <memory>
#include <string>
#include <vector>

struct aiMesh;
struct aiScene;
namespace Assimp {
class Importer;
}

// Reading the generated data the way the demo's loaders do, for the tests.
namespace resources {

// The project folder the demo reads its data from.
std::string dataRoot();
std::string texturePath(const std::string& name, const std::string& root = dataRoot());
std::string modelPath(const std::string& name, const std::string& root = dataRoot());

struct ImageDeleter {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using ImagePtr = std::unique_ptr<FIBITMAP, ImageDeleter>;

// Format from the content, else from the name; must be readable; loaded.
// Null when any step fails, as the texture loaders would fail.
ImagePtr loadImage(const std::string& path);
// The height-map steps: greyscale, bilinear rescale, float. Bottom row first;
// empty on failure.
std::vector<float> loadHeightSamples(const std::string& path, int width, int height);
// RGBA (0..255) of the pixel at x, y counted from the top row.
struct Pixel {
    int r, g, b, a;
};
Pixel pixelAt(FIBITMAP* image, int x, int yFromTop);

// The model loader's import (its fixed post-processing steps).
constexpr unsigned kModelImportFlags = 0x3549;
const aiScene* importModel(Assimp::Importer& importer, const std::string& path);

// One imported triangle with its corners' attributes.
struct Triangle {
    glm::vec3 p[3];
    glm::vec3 n[3];
    glm::vec2 uv[3];
    // The normal its winding gives (counter-clockwise = front), unnormalised.
    glm::vec3 windingNormal() const { return glm::cross(p[1] - p[0], p[2] - p[0]); }
    glm::vec3 centre() const { return (p[0] + p[1] + p[2]) / 3.0f; }
};
std::vector<Triangle> triangles(const aiMesh* mesh);

// Every file below `folder`, as paths relative to it, sorted.
std::vector<std::string> filesBelow(const std::string& folder);
std::string readFile(const std::string& path);

}  // namespace resources
