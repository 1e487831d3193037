#pragma once
#include <GL/glew.h>

#include <string>

namespace graph {

// One linked GL program built from GLSL files at start-up. Any failure while
// reading, compiling or linking stops the process: the system never runs with
// a missing program. Users read `program` directly and look uniforms up by name.
class Shader {
public:
    GLuint program = 0;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;  // 0 for a transform-feedback program
    GLuint geometryShader = 0;  // 0 for a two-stage program

    Shader() = default;
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;
    ~Shader();

    void createProgram(const std::string& vertexPath, const std::string& fragmentPath);
    void createProgram(const std::string& vertexPath, const std::string& fragmentPath,
                       const std::string& geometryPath);
    // The particle variant: with captureParticles the vertex + geometry output is
    // captured by transform feedback and the fragment file is never opened.
    void createProgram(const std::string& vertexPath, const std::string& fragmentPath,
                       const std::string& geometryPath, bool captureParticles);

    void compileShaderFile(const std::string& path, GLenum stageType, GLuint& handle);
    void linkProgram();

private:
    void createEmptyProgram();
};

// Prints the message as one line, pauses the console and exits with status -1.
[[noreturn]] void fatalStop(const std::string& message);

}  // namespace graph
