#pragma once
#include <functional>
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

// The data root in force: the override if set and non-empty, else
// rootForExecutable for the folder this program runs from.
std::string dataRoot();

// The data root found from the folder that holds the executable, so the
// program runs from any working directory: that folder itself when it holds
// the shaders (the Windows archive), ../share/emberwight beside an installed
// bin/ when that does, else `buildTree`, the source folder of a development
// build. `isDirectory` answers for a path (the real file system, or a table).
std::string rootForExecutable(const std::string& executableDir, const std::string& buildTree,
                              const std::function<bool(const std::string&)>& isDirectory);

// Backslashes become '/', and the leading "..\Emberwight\" becomes `root`.
// Any other path only has its separators translated.
std::string resolveWithRoot(const std::string& systemPath, const std::string& root);

// resolveWithRoot with dataRoot().
std::string resolvePath(const std::string& systemPath);

}  // namespace paths
