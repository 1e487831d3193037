#include "GraphicsEngine/ModelLoader.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cstdio>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/ResourcePaths.h"

namespace ModelLoader {

namespace {

// Tangent space, triangles, smooth normals, one pre-transformed mesh per
// material, validated, with redundant materials merged and normals facing out.
constexpr unsigned kImportFlags = aiProcess_CalcTangentSpace | aiProcess_Triangulate |
                                  aiProcess_GenSmoothNormals | aiProcess_PreTransformVertices |
                                  aiProcess_ValidateDataStructure |
                                  aiProcess_RemoveRedundantMaterials |
                                  aiProcess_FixInfacingNormals;
static_assert(kImportFlags == 0x3549, "import flags changed");

// Copies `count` vertices of `size` floats from Assimp vectors, or zeros when
// the mesh has no such data (no uv set means Assimp gives no tangents either).
void copyVectors(float* out, const aiVector3D* in, unsigned count, unsigned size) {
    for (unsigned i = 0; i < count; ++i) {
        for (unsigned c = 0; c < size; ++c) out[size * i + c] = in != nullptr ? in[i][c] : 0.0f;
    }
}

}  // namespace

Mesh* loadModel(graph::Shader* shader, std::string fileName) {
    Assimp::Importer importer;
    const std::string path = paths::resolvePath(paths::kModelDir + fileName);
    const aiScene* scene = importer.ReadFile(path, kImportFlags);
    if (scene == nullptr) return nullptr;
    std::printf("ModelLoader: NumMeshes: %d \n", static_cast<int>(scene->mNumMeshes));
    if (scene->mNumMeshes < 1) return nullptr;
    // Only the first mesh is used; a model meant to load whole has one material.
    Mesh* mesh = convertMesh(scene->mMeshes[0]);
    mesh->shader = shader;
    mesh->uploadBuffers();
    return mesh;
}

Mesh* convertMesh(const aiMesh* m) {
    // Points and lines cannot be drawn as triangles; they are left out rather
    // than read as three indices.
    unsigned triangles = 0;
    for (unsigned f = 0; f < m->mNumFaces; ++f) {
        if (m->mFaces[f].mNumIndices >= 3) ++triangles;
    }
    Mesh* mesh = new Mesh();
    mesh->allocate(m->mNumVertices, 3 * triangles);
    std::printf("ModelLoader - Mesh '%s': NumVertices: %d, NumBones: %d \n", m->mName.C_Str(),
                static_cast<int>(m->mNumVertices), static_cast<int>(m->mNumBones));

    const unsigned count = m->mNumVertices;
    const aiVector3D* uvs = m->HasTextureCoords(0) && count > 0 ? m->mTextureCoords[0] : nullptr;
    copyVectors(mesh->positions, m->mVertices, count, 3);
    copyVectors(mesh->uvs, uvs, count, 2);
    copyVectors(mesh->normals, m->mNormals, count, 3);
    copyVectors(mesh->tangents, m->mTangents, count, 3);
    copyVectors(mesh->bitangents, m->mBitangents, count, 3);

    unsigned* out = mesh->indices;
    for (unsigned f = 0; f < m->mNumFaces; ++f) {
        const aiFace& face = m->mFaces[f];
        if (face.mNumIndices < 3) continue;
        *out++ = face.mIndices[0];
        *out++ = face.mIndices[1];
        *out++ = face.mIndices[2];
    }
    return mesh;
}

}  // namespace ModelLoader
