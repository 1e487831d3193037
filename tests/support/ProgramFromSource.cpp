#include "support/ProgramFromSource.h"

std::unique_ptr<graph::Shader> programFromSource(const TempDataRoot& root,
                                                 const std::string& vertexSource,
                                                 const std::string& fragmentSource) {
    static int serial = 0;
    const std::string stem = "program" + std::to_string(++serial);
    const std::string vertexPath = root.writeFile(stem + ".vert", vertexSource);
    const std::string fragmentPath = root.writeFile(stem + ".frag", fragmentSource);
    auto shader = std::make_unique<graph::Shader>();
    shader->createProgram(vertexPath, fragmentPath);
    return shader;
}
