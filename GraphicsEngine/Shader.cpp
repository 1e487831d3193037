#include "GraphicsEngine/Shader.h"

#include <algorithm>
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

bool readTextFile(const std::string& path, std::string& text) {
    std::ifstream file(path);
    if (!file) return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

namespace {

// The name of an `#include "NAME"` line, or empty.
std::string includedName(const std::string& line) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 8, "#include") != 0) return "";
    const size_t open = line.find('"', start + 8);
    const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    return close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

bool expandInto(std::string& out, const std::string& source, int sourceString,
                const IncludeReader& read, std::vector<std::string>& included,
                std::vector<std::string>& open, std::string& missing) {
    size_t begin = 0;
    for (int lineNumber = 1; begin < source.size(); ++lineNumber) {
        const size_t end = std::min(source.find('\n', begin), source.size());
        const std::string line = source.substr(begin, end - begin);
        begin = end + 1;
        const std::string name = includedName(line);
        if (name.empty()) {
            out += line + "\n";
            continue;
        }
        std::string text;
        if (std::find(open.begin(), open.end(), name) != open.end() || !read(name, text)) {
            missing = name;
            return false;
        }
        auto known = std::find(included.begin(), included.end(), name);
        if (known == included.end()) known = included.insert(included.end(), name);
        const int number = static_cast<int>(known - included.begin()) + 1;
        out += "#line 1 " + std::to_string(number) + "\n";
        open.push_back(name);
        if (!expandInto(out, text, number, read, included, open, missing)) return false;
        open.pop_back();
        out += "#line " + std::to_string(lineNumber + 1) + " " + std::to_string(sourceString) +
               "\n";
    }
    return true;
}

}  // namespace

bool expandIncludes(std::string& source, const IncludeReader& read,
                    std::vector<std::string>& included, std::string& missing) {
    if (source.find("#include") == std::string::npos) return true;
    std::string out;
    std::vector<std::string> open;
    if (!expandInto(out, source, 0, read, included, open, missing)) return false;
    source = out;
    return true;
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
    std::swap(included, replacement.included);
}

bool Shader::build(bool printPaths, BuildFailure& failure) {
    program = glCreateProgram();
    if (program == 0) return fail(failure, "Error creating program");
    included.clear();
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
    if (printPath) std::printf("%s\n", realPath.c_str());
    std::string source;
    if (!readTextFile(realPath, source)) return fail(failure, "Error opening shader file", realPath);
    // Taken-in files lie beside the stage's own (the system names its files
    // with either separator).
    const std::string folder = path.substr(0, path.find_last_of("/\\") + 1);
    std::vector<std::string> names;
    std::string missing;
    const auto read = [&](const std::string& name, std::string& text) {
        return readTextFile(paths::resolvePath(folder + name), text);
    };
    if (!expandIncludes(source, read, names, missing)) {
        return fail(failure, "Error opening shader file", paths::resolvePath(folder + missing));
    }
    for (const std::string& name : names) {
        if (std::find(included.begin(), included.end(), folder + name) == included.end()) {
            included.push_back(folder + name);
        }
    }
    source = sourceForDialect(source, files.dialect);

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
