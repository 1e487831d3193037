#pragma once
#include <GL/glew.h>

#include "GraphicsEngine/VertexArray.h"

namespace graph {
class Shader;
}

// Per-vertex arrays in system memory, their GL buffers, and the material
// values the lit pass reads. Copying shares the arrays and GL buffers.
struct Mesh {
    VertexArray buffers;
    graph::Shader* shader = nullptr;
    float* positions = nullptr;
    float* normals = nullptr;
    float* uvs = nullptr;
    float* tangents = nullptr;
    float* bitangents = nullptr;
    unsigned* indices = nullptr;
    unsigned vertexCount = 0;
    unsigned indexCount = 0;
    GLuint colorTexture = 0;
    float shininess = 0.0f;
    float specLightInt = 0.0f;
    GLuint normalMap = 0;  // 0: no normal and depth maps
    GLuint depthMap = 0;

    void allocate(unsigned vertexCount, unsigned indexCount);
    void uploadBuffers();
    // Frees the six arrays and the GL objects; only the mesh's one owner calls it.
    void release();
};
