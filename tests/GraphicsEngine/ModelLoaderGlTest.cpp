#include "GraphicsEngine/ModelLoader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/GlContext.h"
#include "support/ProgramFromSource.h"
#include "support/SceneFiles.h"
#include "support/TempDataRoot.h"

namespace {

const char* const kVertex = R"(#version 330 core
in vec3 position;
in vec3 normal;
in vec2 uv;
out vec3 colour;
void main() { colour = abs(normal) + vec3(uv, 0.0); gl_Position = vec4(position * 0.5, 1.0); })";
const char* const kFragment = R"(#version 330 core
in vec3 colour;
out vec4 fragColor;
void main() { fragColor = vec4(colour, 1.0); })";

GLint bufferSize(const Mesh& mesh, const std::string& name) {
    GLint size = -1;
    glGetNamedBufferParameteriv(mesh.buffers.buffers.at(name)->id, GL_BUFFER_SIZE, &size);
    return size;
}

struct Fixture {
    GlContext context;
    TempDataRoot root;
    std::unique_ptr<graph::Shader> shader = programFromSource(root, kVertex, kFragment);
};

}  // namespace

TEST(ModelLoader, CubeUploadsSixBuffersOfTheirSizes) {
    Fixture f;
    f.root.writeFile("resources/models/cube.obj", scene_files::cubeObj());
    testing::internal::CaptureStdout();
    Mesh* mesh = ModelLoader::loadModel(f.shader.get(), "cube.obj");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ModelLoader: NumMeshes: 1 \n"
              "ModelLoader - Mesh 'cube': NumVertices: 24, NumBones: 0 \n");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->shader, f.shader.get());
    EXPECT_EQ(mesh->vertexCount, 24u);
    EXPECT_EQ(mesh->indexCount, 36u);
    EXPECT_NE(mesh->buffers.vao, 0u);
    ASSERT_EQ(mesh->buffers.buffers.size(), 6u);
    EXPECT_EQ(bufferSize(*mesh, "position"), 288);
    EXPECT_EQ(bufferSize(*mesh, "normal"), 288);
    EXPECT_EQ(bufferSize(*mesh, "uv"), 192);
    EXPECT_EQ(bufferSize(*mesh, "indices"), 144);
    EXPECT_EQ(bufferSize(*mesh, "tangent"), 288);
    EXPECT_EQ(bufferSize(*mesh, "bitangent"), 288);
    EXPECT_EQ(mesh->buffers.buffers.at("indices")->type,
              static_cast<GLenum>(GL_ELEMENT_ARRAY_BUFFER));
    // The buffers were made in upload order, so their GL names ascend that way.
    const char* const order[6] = {"position", "normal", "uv", "indices", "tangent", "bitangent"};
    for (int i = 1; i < 6; ++i) {
        EXPECT_LT(mesh->buffers.buffers.at(order[i - 1])->id,
                  mesh->buffers.buffers.at(order[i])->id)
            << order[i];
    }
    // Tangents come from the uvs: every vertex has a unit tangent.
    for (unsigned v = 0; v < mesh->vertexCount; ++v) {
        const float* t = mesh->tangents + 3 * v;
        EXPECT_NEAR(t[0] * t[0] + t[1] * t[1] + t[2] * t[2], 1.0f, 1e-3f) << v;
    }

    EXPECT_TRUE(f.context.errors().empty());
    mesh->release();
    delete mesh;
}

TEST(ModelLoader, QuadArrivesAsTwoTriangles) {
    Fixture f;
    f.root.writeFile("resources/models/quad.obj",
                     "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
    testing::internal::CaptureStdout();
    Mesh* mesh = ModelLoader::loadModel(f.shader.get(), "quad.obj");
    testing::internal::GetCapturedStdout();
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertexCount, 4u);
    ASSERT_EQ(mesh->indexCount, 6u);
    bool used[4] = {};
    for (unsigned i = 0; i < 6; ++i) {
        ASSERT_LT(mesh->indices[i], 4u);
        used[mesh->indices[i]] = true;
    }
    for (bool corner : used) EXPECT_TRUE(corner);
    // No texture coordinates: zeros, and no tangents to read either.
    for (unsigned i = 0; i < 8; ++i) EXPECT_EQ(mesh->uvs[i], 0.0f) << i;
    for (unsigned i = 0; i < 12; ++i) {
        EXPECT_EQ(mesh->tangents[i], 0.0f) << i;
        EXPECT_EQ(mesh->bitangents[i], 0.0f) << i;
    }
    EXPECT_NEAR(mesh->normals[2] * mesh->normals[2], 1.0f, 1e-4f);  // smooth normals along z
    EXPECT_TRUE(f.context.errors().empty());
    mesh->release();
    delete mesh;
}

TEST(ModelLoader, OnlyTheFirstOfSeveralMeshesIsUsed) {
    Fixture f;
    f.root.writeFile("resources/models/two.mtl", "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n");
    f.root.writeFile("resources/models/two.obj",
                     "mtllib two.mtl\no first\n"
                     "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\nv 6 5 5\nv 6 6 5\nv 5 6 5\n"
                     "usemtl red\nf 1 2 3\nusemtl blue\nf 4 5 6 7\n");
    testing::internal::CaptureStdout();
    Mesh* mesh = ModelLoader::loadModel(f.shader.get(), "two.obj");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ModelLoader: NumMeshes: 2 \n"
              "ModelLoader - Mesh 'first': NumVertices: 3, NumBones: 0 \n");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertexCount, 3u);
    EXPECT_EQ(mesh->indexCount, 3u);
    for (unsigned i = 0; i < 9; ++i) EXPECT_LE(mesh->positions[i], 1.0f) << i;
    mesh->release();
    delete mesh;
}

TEST(ModelLoader, LinesInTheFileAreLeftOut) {
    Fixture f;
    f.root.writeFile("resources/models/line.obj",
                     "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 3\nl 2 4\n");
    testing::internal::CaptureStdout();
    Mesh* mesh = ModelLoader::loadModel(f.shader.get(), "line.obj");
    testing::internal::GetCapturedStdout();
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->indexCount, 3u);
    EXPECT_EQ(bufferSize(*mesh, "indices"), 12);
    EXPECT_TRUE(f.context.errors().empty());
    mesh->release();
    delete mesh;
}

TEST(ModelLoader, UnreadableFilesGiveNullSilently) {
    Fixture f;
    f.root.writeFile("resources/models/bad.obj", "garbage\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(ModelLoader::loadModel(f.shader.get(), "missing.obj"), nullptr);
    EXPECT_EQ(ModelLoader::loadModel(f.shader.get(), "bad.obj"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(f.context.errors().empty());
}
