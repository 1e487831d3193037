#pragma once
#include <string>
#include <vector>

// Small stand-ins for the scene's data files, written below a data root (the
// folder that holds GraphicsEngine/ and resources/): every model is a cube,
// every image a few pixels of one colour. Each writer returns false on failure.
namespace scene_files {

// The model files the scene loads (objects, ground, sky).
const std::vector<std::string>& modelNames();
// Every image the start-up loads, heightmap excluded.
const std::vector<std::string>& textureNames();

// "h_level_ew.tga", uniformly grey at `level` (0..255).
bool writeUniformHeightmap(const std::string& root, int level);
// The text of a cube OBJ of half-size 1: six quads with their own uv and
// normal per corner (24 vertices, 12 triangles once triangulated).
const char* cubeObj();
// A cube OBJ of half-size 1.
bool writeCubeModel(const std::string& root, const std::string& name);
// A 4 x 4 image, JPEG or TGA by its name.
bool writeImage(const std::string& root, const std::string& name);
// All of the above plus a copy of the shader sources.
bool writeAll(const std::string& root, const std::string& shaderSourceDir);

}  // namespace scene_files
