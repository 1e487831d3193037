// Writes the stand-in data root for the end-to-end scripts:
// scene_files ROOT SHADER_SOURCE_DIR
#include <cstdio>

#include "support/SceneFiles.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: scene_files ROOT SHADER_SOURCE_DIR\n");
        return 2;
    }
    return scene_files::writeAll(argv[1], argv[2]) ? 0 : 1;
}
