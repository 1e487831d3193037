// Prints a GLSL file as a context is given it, the files it takes in
// expanded, with --es as an OpenGL ES context takes it: for the reference
// compiler to check (tests/GraphicsEngine/shaders_valid.sh).
#include <iostream>
#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"

int main(int argc, char** argv) {
    const bool es = argc == 3 && std::string(argv[1]) == "--es";
    if (argc != 2 && !es) {
        std::cerr << "usage: shader_source [--es] FILE\n";
        return 2;
    }
    const std::string path = argv[argc - 1];
    std::string source;
    if (!graph::readTextFile(path, source)) {
        std::cerr << "shader_source: cannot read " << path << "\n";
        return 1;
    }
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    std::vector<std::string> included;
    std::string missing;
    const auto read = [&](const std::string& name, std::string& text) {
        return graph::readTextFile(folder + name, text);
    };
    if (!graph::expandIncludes(source, read, included, missing)) {
        std::cerr << "shader_source: " << path << " takes in " << missing
                  << ", which cannot be read\n";
        return 1;
    }
    std::cout << graph::sourceForDialect(source, es ? graph::Dialect::Es : graph::Dialect::Desktop);
    return 0;
}
