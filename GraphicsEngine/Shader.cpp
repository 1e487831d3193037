#include "GraphicsEngine/Shader.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#include "GraphicsEngine/Platform.h"
#include "GraphicsEngine/ResourcePaths.h"

namespace graph {

namespace {

// The seven outputs of the update program, in the particle record's order.
const char* const kCapturedVaryings[] = {"position_Out", "velocity_Out", "color_Out",
                                         "lifetime_Out", "timeleft_Out", "size_Out",
                                         "type_Out"};

bool fail(BuildFailure& failure, const char* headline, const std::string& path = "") {
    failure = BuildFailure{};
    failure.headline = headline;
    failure.path = path;
    return false;
}

// The info log of a shader or program, fetched with the matching pair of calls.
template <typename GetIv, typename GetLog>
std::string infoLog(GLuint object, GetIv getIv, GetLog getLog) {
    GLint length = 0;
    getIv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    getLog(object, length, nullptr, log.data());
    const size_t end = log.find('\0');
    if (end != std::string::npos) log.resize(end);
    return log;
}

// Highp throughout: the scene's depths, lighting and particle ages need it,
// and ES fragment stages have no default float precision at all.
const char* const kEsPreamble =
    "#version 300 es\n"
    "precision highp float;\n"
    "precision highp int;\n"
    "precision highp sampler2D;\n"
    "precision highp samplerCube;\n"
    "precision highp sampler2DShadow;\n"
    "precision highp samplerCubeShadow;\n";

}  // namespace

std::string sourceForDialect(const std::string& source, Dialect dialect) {
    if (dialect == Dialect::Desktop || source.rfind("#version 300 es", 0) == 0) return source;
    const size_t firstLineEnd = source.find('\n');
    if (source.rfind("#version", 0) != 0 || firstLineEnd == std::string::npos) {
        return kEsPreamble + std::string("#line 1\n") + source;
    }
    return kEsPreamble + std::string("#line 2\n") + source.substr(firstLineEnd + 1);
}

std::vector<StageFile> stageFiles(const SourceFiles& files) {
    const StageFile vertex{files.vertex, GL_VERTEX_SHADER};
    const StageFile fragment{files.fragment, GL_FRAGMENT_SHADER};
    const StageFile geometry{files.geometry, GL_GEOMETRY_SHADER};
    switch (files.stages) {
        case Stages::Two: return {vertex, fragment};
        case Stages::Three: return {vertex, fragment, geometry};
        case Stages::ParticleDraw: return {vertex, geometry, fragment};
        case Stages::ParticleCapture: return {vertex, geometry};
        case Stages::VertexCapture: return {vertex, fragment};
    }
    return {};
}

void fatalStop(const std::string& message) {
    std::printf("%s\n", message.c_str());
    platform::consolePause();
    std::exit(-1);
}

bool contextCurrent() { return platform::glContextCurrent(); }

Shader::~Shader() {
    if (!contextCurrent()) return;
    if (program != 0) glDeleteProgram(program);
    if (vertexShader != 0) glDeleteShader(vertexShader);
    if (fragmentShader != 0) glDeleteShader(fragmentShader);
    if (geometryShader != 0) glDeleteShader(geometryShader);
}

void Shader::createProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    createProgram({Stages::Two, vertexPath, fragmentPath, ""});
}

void Shader::createProgram(const std::string& vertexPath, const std::string& fragmentPath,
                           const std::string& geometryPath) {
    createProgram({Stages::Three, vertexPath, fragmentPath, geometryPath});
}

void Shader::createProgram(const std::string& vertexPath, const std::string& fragmentPath,
                           const std::string& geometryPath, bool captureParticles) {
    createProgram({captureParticles ? Stages::ParticleCapture : Stages::ParticleDraw, vertexPath,
                   fragmentPath, geometryPath});
}

// Start-up: build, or print the failure and stop the process.
void Shader::createProgram(const SourceFiles& sourceFiles) {
    files = sourceFiles;
    BuildFailure failure;
    if (build(true, failure)) return;
    if (!failure.hasLog) fatalStop(failure.headline);
    std::printf("%s\n%s\n", failure.headline.c_str(), failure.log.c_str());
    platform::consolePause();
    std::exit(-1);
}

std::unique_ptr<Shader> Shader::rebuilt(BuildFailure& failure) const {
    auto shader = std::make_unique<Shader>();
    shader->files = files;
    // A failed attempt takes its half-built objects with it.
    if (!shader->build(false, failure)) return nullptr;
    return shader;
}

void Shader::replaceWith(Shader& replacement) {
    std::swap(program, replacement.program);
    std::swap(vertexShader, replacement.vertexShader);
    std::swap(fragmentShader, replacement.fragmentShader);
    std::swap(geometryShader, replacement.geometryShader);
    std::swap(generation, replacement.generation);
}

bool Shader::build(bool printPaths, BuildFailure& failure) {
    program = glCreateProgram();
    if (program == 0) return fail(failure, "Error creating program");
    for (const StageFile& stage : stageFiles(files)) {
        GLuint& handle = handleFor(stage.type);
        if (!compileShaderFile(stage.path, stage.type, handle, printPaths, failure)) return false;
    }
    if (files.stages == Stages::ParticleCapture || files.stages == Stages::VertexCapture) {
        // Declared before the link, as GL requires.
        glTransformFeedbackVaryings(program, 7, kCapturedVaryings, GL_INTERLEAVED_ATTRIBS);
    }
    return linkProgram(failure);
}

GLuint& Shader::handleFor(GLenum stageType) {
    if (stageType == GL_VERTEX_SHADER) return vertexShader;
    if (stageType == GL_GEOMETRY_SHADER) return geometryShader;
    return fragmentShader;
}

bool Shader::compileShaderFile(const std::string& path, GLenum stageType, GLuint& handle,
                               bool printPath, BuildFailure& failure) {
    const std::string realPath = paths::resolvePath(path);
    std::ifstream file(realPath);
    if (printPath) std::printf("%s\n", realPath.c_str());
    if (!file.good()) return fail(failure, "Error opening shader file", realPath);
    const std::string source = sourceForDialect(
        std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()),
        files.dialect);
    file.close();

    handle = glCreateShader(stageType);
    if (handle == 0) return fail(failure, "Error creating shader", realPath);
    const char* text = source.c_str();
    glShaderSource(handle, 1, &text, nullptr);
    glCompileShader(handle);

    GLint status = 0;
    glGetShaderiv(handle, GL_COMPILE_STATUS, &status);
    if (status != 0 && glIsShader(handle)) return true;

    fail(failure, "Failed to compile shader", realPath);
    failure.log = infoLog(handle, glGetShaderiv, glGetShaderInfoLog);
    failure.hasLog = true;
    return false;
}

bool Shader::linkProgram(BuildFailure& failure) {
    if (vertexShader != 0) glAttachShader(program, vertexShader);
    if (fragmentShader != 0) glAttachShader(program, fragmentShader);
    if (geometryShader != 0) glAttachShader(program, geometryShader);
    // ES has no call for it: its programs' one output takes location 0 anyway.
    if (files.dialect == Dialect::Desktop) glBindFragDataLocation(program, 0, "fragColor");
    glLinkProgram(program);
    static unsigned long long links = 0;
    generation = ++links;

    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != 0) return true;

    fail(failure, "Failed to link shader program");
    failure.log = infoLog(program, glGetProgramiv, glGetProgramInfoLog);
    failure.hasLog = true;
    // Some drivers report a stage they could not compile (an extension it
    // requires, say) only at the link; the stage's own log names the cause.
    for (const StageFile& stage : stageFiles(files)) {
        const GLuint handle = handleFor(stage.type);
        if (handle == 0) continue;
        const std::string stageLog = infoLog(handle, glGetShaderiv, glGetShaderInfoLog);
        if (stageLog.find_first_not_of(" \n") == std::string::npos) continue;
        failure.log += "\n" + paths::resolvePath(stage.path) + ":\n" + stageLog;
    }
    return false;
}

}  // namespace graph
