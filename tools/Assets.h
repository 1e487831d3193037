#pragma once
#include <string>

#include "tools/Image.h"
#include "tools/ObjMesh.h"

// Where the generated files go, and whether every one of them was written.
class AssetWriter {
public:
    explicit AssetWriter(std::string root);

    std::string texturePath(const std::string& name) const;
    std::string modelPath(const std::string& name) const;
    void jpeg(const std::string& name, const Image& image);
    void tga(const std::string& name, const Image& image, int bitsPerPixel);
    void obj(const std::string& name, const ObjMesh& mesh);
    bool ok() const { return ok_; }

private:
    std::string root_;
    bool ok_ = true;
};

// The asset families; each writes its files through the writer.
void writeTerrain(AssetWriter& out);           // h_level_ew.tga, groundMesh.obj
void writeGroundTextures(AssetWriter& out);    // ground07*.jpg
void writeStoneTextures(AssetWriter& out);     // rock1*.jpg, brick13*.jpg
void writeWoodTextures(AssetWriter& out);      // wood17*.jpg, wood_burnt.jpg
void writeFireTextures(AssetWriter& out);      // fire_layer, noise, sunsprite, particle
void writeSmokeSheet(AssetWriter& out);        // smoke45_alpha.tga
void writeFlameSheets(AssetWriter& out);       // flames3.tga, flames2.tga
void writeSky(AssetWriter& out);               // skybox2.jpg, skybox.obj
void writeRocks(AssetWriter& out);             // rock1_big.obj, rock2_big.obj
void writePlatform(AssetWriter& out);          // emberwight_platform.obj
void writeWoodenStructures(AssetWriter& out);  // emberwight_rotate.obj, emberwight2.obj
