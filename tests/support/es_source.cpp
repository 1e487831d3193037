// Prints a GLSL file as an OpenGL ES context is given it, for the reference
// compiler to check (tests/GraphicsEngine/shaders_valid.sh).
#include <fstream>
#include <iostream>
#include <iterator>

#include "GraphicsEngine/Shader.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: es_source FILE\n";
        return 2;
    }
    std::ifstream file(argv[1]);
    if (!file) {
        std::cerr << "es_source: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
    std::cout << graph::sourceForDialect(source, graph::Dialect::Es);
    return 0;
}
