// Conversion from an Assimp mesh makes no GL call, so it is checked here on
// hand-built meshes, including shapes the importer never hands over.
#include <assimp/mesh.h>
#include <gtest/gtest.h>

#include <initializer_list>

#include "GraphicsEngine/ModelLoader.h"

namespace {

void setFace(aiFace& face, std::initializer_list<unsigned> indices) {
    face.mNumIndices = static_cast<unsigned>(indices.size());
    face.mIndices = new unsigned[indices.size()];
    unsigned i = 0;
    for (unsigned index : indices) face.mIndices[i++] = index;
}

// Four vertices, positions only; faces as given.
aiMesh* bareMesh() {
    aiMesh* mesh = new aiMesh();
    mesh->mName = "bare";
    mesh->mNumVertices = 4;
    mesh->mVertices = new aiVector3D[4]{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    return mesh;
}

}  // namespace

TEST(ConvertMesh, CopiesEveryArrayInVertexOrder) {
    aiMesh* source = bareMesh();
    source->mNormals = new aiVector3D[4]{{0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
    source->mTangents = new aiVector3D[4]{{1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    source->mBitangents = new aiVector3D[4]{{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}};
    source->mTextureCoords[0] = new aiVector3D[4]{{0, 0, 9}, {1, 0, 9}, {1, 1, 9}, {0.5f, 0.25f, 9}};
    source->mNumUVComponents[0] = 2;
    source->mNumFaces = 2;
    source->mFaces = new aiFace[2];
    setFace(source->mFaces[0], {0, 1, 2});
    setFace(source->mFaces[1], {0, 2, 3});

    testing::internal::CaptureStdout();
    Mesh* mesh = ModelLoader::convertMesh(source);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ModelLoader - Mesh 'bare': NumVertices: 4, NumBones: 0 \n");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertexCount, 4u);
    EXPECT_EQ(mesh->indexCount, 6u);
    EXPECT_EQ(mesh->positions[7], 1.0f);  // vertex 2, y
    EXPECT_EQ(mesh->normals[9], 1.0f);    // vertex 3, x
    EXPECT_EQ(mesh->tangents[10], 1.0f);  // vertex 3, y
    EXPECT_EQ(mesh->bitangents[11], 1.0f);
    EXPECT_EQ(mesh->uvs[6], 0.5f);  // only u and v are kept
    EXPECT_EQ(mesh->uvs[7], 0.25f);
    const unsigned expected[6] = {0, 1, 2, 0, 2, 3};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(mesh->indices[i], expected[i]) << i;
    EXPECT_EQ(mesh->buffers.vao, 0u);
    EXPECT_TRUE(mesh->buffers.buffers.empty());
    EXPECT_EQ(mesh->shader, nullptr);
    EXPECT_EQ(mesh->colorTexture, 0u);
    EXPECT_EQ(mesh->shininess, 0.0f);
    mesh->release();
    delete mesh;
    delete source;
}

TEST(ConvertMesh, MissingUvTangentAndNormalArraysGiveZeros) {
    aiMesh* source = bareMesh();
    source->mNumFaces = 1;
    source->mFaces = new aiFace[1];
    setFace(source->mFaces[0], {3, 2, 1});

    testing::internal::CaptureStdout();
    Mesh* mesh = ModelLoader::convertMesh(source);
    testing::internal::GetCapturedStdout();
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(mesh->normals[i], 0.0f) << i;
        EXPECT_EQ(mesh->tangents[i], 0.0f) << i;
        EXPECT_EQ(mesh->bitangents[i], 0.0f) << i;
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(mesh->uvs[i], 0.0f) << i;
    EXPECT_EQ(mesh->positions[3], 1.0f);
    mesh->release();
    delete mesh;
    delete source;
}

TEST(ConvertMesh, PointsAndLinesAreLeftOut) {
    aiMesh* source = bareMesh();
    source->mNumFaces = 4;
    source->mFaces = new aiFace[4];
    setFace(source->mFaces[0], {0});
    setFace(source->mFaces[1], {0, 1, 2});
    setFace(source->mFaces[2], {2, 3});
    setFace(source->mFaces[3], {1, 2, 3});

    testing::internal::CaptureStdout();
    Mesh* mesh = ModelLoader::convertMesh(source);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(mesh->indexCount, 6u);
    const unsigned expected[6] = {0, 1, 2, 1, 2, 3};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(mesh->indices[i], expected[i]) << i;
    mesh->release();
    delete mesh;
    delete source;
}

