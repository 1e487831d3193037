// Writes every texture and model the demo reads into <root>/resources/
// (textures/ and models/). The output depends on nothing but this program:
// no clocks, no random devices, so every run writes the same bytes.
#include <FreeImage.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/Assets.h"

AssetWriter::AssetWriter(std::string root) : root_(std::move(root)) {}

std::string AssetWriter::texturePath(const std::string& name) const {
    return root_ + "/resources/textures/" + name;
}

std::string AssetWriter::modelPath(const std::string& name) const {
    return root_ + "/resources/models/" + name;
}

void AssetWriter::jpeg(const std::string& name, const Image& image) {
    ok_ = image.saveJpeg(texturePath(name)) && ok_;
}

void AssetWriter::tga(const std::string& name, const Image& image, int bitsPerPixel) {
    ok_ = image.saveTga(texturePath(name), bitsPerPixel) && ok_;
}

void AssetWriter::obj(const std::string& name, const ObjMesh& mesh) {
    const std::string object = name.substr(0, name.find('.'));
    ok_ = mesh.write(modelPath(name), object) && ok_;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ROOT   (writes ROOT/resources/textures and models)\n",
                     argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    std::error_code error;
    for (const char* folder : {"/resources/textures", "/resources/models"}) {
        std::filesystem::create_directories(root + folder, error);
        if (error) {
            std::fprintf(stderr, "cannot create %s%s: %s\n", root.c_str(), folder,
                         error.message().c_str());
            return 1;
        }
    }

    FreeImage_Initialise();
    AssetWriter out(root);
    const auto start = std::chrono::steady_clock::now();
    const struct {
        const char* name;
        void (*write)(AssetWriter&);
    } families[] = {
        {"terrain", writeTerrain},
        {"ground textures", writeGroundTextures},
        {"stone textures", writeStoneTextures},
        {"wood textures", writeWoodTextures},
        {"fire textures", writeFireTextures},
        {"smoke sheet", writeSmokeSheet},
        {"flame sheets", writeFlameSheets},
        {"sky", writeSky},
        {"rocks", writeRocks},
        {"platform", writePlatform},
        {"wooden structures", writeWoodenStructures},
    };
    for (const auto& family : families) {
        const auto begin = std::chrono::steady_clock::now();
        family.write(out);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
        std::printf("  %-18s %.2f s\n", family.name, took.count());
    }
    FreeImage_DeInitialise();
    const std::chrono::duration<double> total = std::chrono::steady_clock::now() - start;
    std::printf("Resources written to %s/resources in %.2f s\n", root.c_str(), total.count());
    return out.ok() ? 0 : 1;
}
