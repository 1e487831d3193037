// Damaged copies of the generated data go through the system's own loaders:
// bits flipped here and there, files cut short. Whatever arrives, a loader
// either makes something usable or reports failure; it never crashes or reads
// outside its buffers (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "GraphicsEngine/ModelLoader.h"
#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/TextureCache.h"
#include "support/GlContext.h"
#include "support/ProgramFromSource.h"
#include "support/ResourceFiles.h"
#include "support/TempDataRoot.h"

namespace {

constexpr int kVariantsPerFile = 24;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Variant i of `original`: even ones flip 1..32 random bits, odd ones cut the
// file at a random length (sometimes to nothing). The same seed every run.
std::string damaged(const std::string& original, int i, std::mt19937& random) {
    std::string bytes = original;
    if (bytes.empty()) return bytes;
    if (i % 2 == 0) {
        const int flips = 1 + static_cast<int>(random() % 32);
        for (int f = 0; f < flips; ++f) {
            const size_t at = random() % bytes.size();
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
        }
    } else {
        bytes.resize(i == 1 ? 0 : random() % bytes.size());
    }
    return bytes;
}

class LoaderFuzz : public testing::Test {
protected:
    GlContext context;
    TempDataRoot root;
    std::mt19937 random{20261207u};
};

}  // namespace

TEST_F(LoaderFuzz, DamagedImagesLoadOrFailCleanly) {
    for (const std::string name : {"particle.tga", "h_level_ew.tga", "wood_burnt.jpg", "noise.tga"}) {
        const std::string original = readAll(resources::texturePath(name));
        ASSERT_FALSE(original.empty()) << name;
        const std::string extension = name.substr(name.rfind('.'));
        for (int i = 0; i < kVariantsPerFile; ++i) {
            const std::string variant = "v" + std::to_string(i) + extension;
            root.writeFile("resources/textures/" + variant, damaged(original, i, random));
            TextureCache cache;
            testing::internal::CaptureStdout();
            const GLuint colour = cache.loadTexture(variant);
            const GLuint alpha = cache.loadAlphaTexture(variant);  // a cache hit when colour loaded
            TextureCache fresh;
            const GLuint repeating = fresh.loadRepeatingTexture(variant);
            float* heights = fresh.loadHeightmap(variant, 16, 16);
            const std::string log = testing::internal::GetCapturedStdout();

            if (colour != 0) {
                EXPECT_EQ(alpha, colour) << variant;
            }
            for (GLuint texture : {colour, alpha, repeating}) {
                if (texture != 0) {
                    EXPECT_TRUE(glIsTexture(texture)) << variant;
                }
            }
            if (colour == 0 || repeating == 0 || heights == nullptr) {
                EXPECT_NE(log.find("Texture: "), std::string::npos) << variant << " failed silently";
            }
            if (heights != nullptr) {
                for (int s = 0; s < 16 * 16; ++s) {
                    ASSERT_TRUE(heights[s] >= 0.0f && heights[s] <= 1.0f) << variant;
                }
            }
            delete[] heights;
        }
    }
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(LoaderFuzz, DamagedModelsLoadOrFailCleanly) {
    testing::internal::CaptureStdout();
    const std::unique_ptr<graph::Shader> shader = programFromSource(
        root,
        "#version 330 core\nin vec3 position;\nvoid main() { gl_Position = vec4(position, 1.0); }\n",
        "#version 330 core\nout vec4 fragColor;\nvoid main() { fragColor = vec4(1.0); }\n");
    testing::internal::GetCapturedStdout();
    for (const std::string name : {"skybox.obj", "emberwight2.obj"}) {
        const std::string original = readAll(resources::modelPath(name));
        ASSERT_FALSE(original.empty()) << name;
        for (int i = 0; i < kVariantsPerFile; ++i) {
            const std::string variant = "m" + std::to_string(i) + ".obj";
            root.writeFile("resources/models/" + variant, damaged(original, i, random));
            testing::internal::CaptureStdout();
            Mesh* mesh = ModelLoader::loadModel(shader.get(), variant);
            testing::internal::GetCapturedStdout();
            if (mesh == nullptr) continue;
            // Whatever survived must be drawable: every index names a vertex.
            for (unsigned k = 0; k < mesh->indexCount; ++k) {
                ASSERT_LT(mesh->indices[k], mesh->vertexCount) << variant;
            }
            EXPECT_EQ(mesh->indexCount % 3, 0u) << variant;
            mesh->release();
            delete mesh;
        }
    }
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}
