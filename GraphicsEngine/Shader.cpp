#include "GraphicsEngine/Shader.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/Platform.h"
#include "app/ResourcePaths.h"

namespace graph {

namespace {

// The seven outputs of the update program, in the particle record's order.
const char* const kCapturedVaryings[] = {"position_Out", "velocity_Out", "color_Out",
                                         "lifetime_Out", "timeleft_Out", "size_Out",
                                         "type_Out"};

[[noreturn]] void failWithLog(const char* headline, const std::vector<char>& log) {
    std::printf("%s\n%s\n", headline, log.data());
    platform::consolePause();
    std::exit(-1);
}

}  // namespace

void fatalStop(const std::string& message) {
    std::printf("%s\n", message.c_str());
    platform::consolePause();
    std::exit(-1);
}

Shader::~Shader() {
    // Programs outlive nothing but the context; skip GL calls once it is gone.
    if (glfwGetCurrentContext() == nullptr) return;
    if (program != 0) glDeleteProgram(program);
    if (vertexShader != 0) glDeleteShader(vertexShader);
    if (fragmentShader != 0) glDeleteShader(fragmentShader);
    if (geometryShader != 0) glDeleteShader(geometryShader);
}

void Shader::createEmptyProgram() {
    program = glCreateProgram();
    if (program == 0) fatalStop("Error creating program");
}

void Shader::createProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    createEmptyProgram();
    compileShaderFile(vertexPath, GL_VERTEX_SHADER, vertexShader);
    compileShaderFile(fragmentPath, GL_FRAGMENT_SHADER, fragmentShader);
    linkProgram();
}

void Shader::createProgram(const std::string& vertexPath, const std::string& fragmentPath,
                           const std::string& geometryPath) {
    createEmptyProgram();
    compileShaderFile(vertexPath, GL_VERTEX_SHADER, vertexShader);
    compileShaderFile(fragmentPath, GL_FRAGMENT_SHADER, fragmentShader);
    compileShaderFile(geometryPath, GL_GEOMETRY_SHADER, geometryShader);
    linkProgram();
}

void Shader::createProgram(const std::string& vertexPath, const std::string& fragmentPath,
                           const std::string& geometryPath, bool captureParticles) {
    createEmptyProgram();
    compileShaderFile(vertexPath, GL_VERTEX_SHADER, vertexShader);
    compileShaderFile(geometryPath, GL_GEOMETRY_SHADER, geometryShader);
    if (captureParticles) {
        // Declared before the link, as GL requires.
        glTransformFeedbackVaryings(program, 7, kCapturedVaryings, GL_INTERLEAVED_ATTRIBS);
    } else {
        compileShaderFile(fragmentPath, GL_FRAGMENT_SHADER, fragmentShader);
    }
    linkProgram();
}

void Shader::compileShaderFile(const std::string& path, GLenum stageType, GLuint& handle) {
    const std::string realPath = paths::resolvePath(path);
    std::ifstream file(realPath);
    std::printf("%s\n", realPath.c_str());
    if (!file.good()) fatalStop("Error opening shader file");
    std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();

    handle = glCreateShader(stageType);
    if (handle == 0) fatalStop("Error creating shader");
    const char* text = source.c_str();
    glShaderSource(handle, 1, &text, nullptr);
    glCompileShader(handle);

    GLint status = 0;
    glGetShaderiv(handle, GL_COMPILE_STATUS, &status);
    if (status != 0 && glIsShader(handle)) return;

    GLint length = 0;
    glGetShaderiv(handle, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(handle, length, nullptr, log.data());
    failWithLog("Failed to compile shader", log);
}

void Shader::linkProgram() {
    if (vertexShader != 0) glAttachShader(program, vertexShader);
    if (fragmentShader != 0) glAttachShader(program, fragmentShader);
    if (geometryShader != 0) glAttachShader(program, geometryShader);
    glBindFragDataLocation(program, 0, "fragColor");
    glLinkProgram(program);

    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != 0) return;

    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    failWithLog("Failed to link shader program", log);
}

}  // namespace graph
