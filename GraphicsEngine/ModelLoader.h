#pragma once
#include <string>

#include "GraphicsEngine/Mesh.h"

struct aiMesh;

// Imports OBJ models with Assimp (log name "ModelLoader").
namespace ModelLoader {

// Imports the file below the model folder and returns a new uploaded mesh
// bound to `shader`, or null when nothing could be imported.
Mesh* loadModel(graph::Shader* shader, std::string fileName);
// Builds a mesh from one Assimp mesh; no GL work.
Mesh* convertMesh(const aiMesh* mesh);

}  // namespace ModelLoader
