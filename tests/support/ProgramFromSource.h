#pragma once
#include <memory>
#include <string>

#include "GraphicsEngine/Shader.h"
#include "support/TempDataRoot.h"

// Links a program from GLSL text written to files below `root` (graph::Shader
// reads files only). The shader prints each file path, as it always does.
std::unique_ptr<graph::Shader> programFromSource(const TempDataRoot& root,
                                                 const std::string& vertexSource,
                                                 const std::string& fragmentSource);
