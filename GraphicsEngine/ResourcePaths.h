#pragma once
#include <string>

// The system names its data files by fixed, Windows-style relative prefixes.
// resolvePath turns prefix + name into a real path below the data root.
namespace paths {

inline const std::string kShaderDir = "..\\Emberwight\\GraphicsEngine\\Shader\\";
inline const std::string kTextureDir = "..\\Emberwight\\resources\\textures\\";
inline const std::string kModelDir = "..\\Emberwight\\resources\\models\\";

// Environment variable that overrides the data root (the folder that holds
// GraphicsEngine/ and resources/).
inline const char* const kRootVariable = "EMBERWIGHT_ROOT";

// The data root in force: the override if set and non-empty, else the
// project folder the program was built from.
std::string dataRoot();

// Backslashes become '/', and the leading "..\Emberwight\" becomes `root`.
// Any other path only has its separators translated.
std::string resolveWithRoot(const std::string& systemPath, const std::string& root);

// resolveWithRoot with dataRoot().
std::string resolvePath(const std::string& systemPath);

}  // namespace paths
