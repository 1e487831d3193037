#pragma once
#include <GL/glew.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace graph {

// The stages a program is built from; they decide which files are read and in
// what order. VertexCapture is the particle update without a geometry stage
// (OpenGL ES): its vertex output is captured, and the fragment stage, which
// never runs, is there because ES links no program without one.
enum class Stages { Two, Three, ParticleDraw, ParticleCapture, VertexCapture };

// The GLSL a context takes. The shared files are written for desktop GLSL
// 3.30; for OpenGL ES their version line becomes 3.00 es with the precision
// statements ES asks for. Files of ES's own ("...ES.vert") are read as written.
enum class Dialect { Desktop, Es };

// What a program was built from, as the system names its files, so that it
// can be built again while the demo runs.
struct SourceFiles {
    Stages stages = Stages::Two;
    std::string vertex, fragment, geometry;
    Dialect dialect = Dialect::Desktop;
};

// `source` as `dialect` takes it: unchanged for the desktop and for a source
// that already declares "#version 300 es"; otherwise its first line (the
// version) replaced by ES's version and precision lines, and a #line that
// keeps the compiler's line numbers those of the file.
std::string sourceForDialect(const std::string& source, Dialect dialect);

// The whole of the file at `path` (a real path) into `text`; false when it
// cannot be opened.
bool readTextFile(const std::string& path, std::string& text);

// Reads a file that a source takes in: true, with its text, when it exists.
using IncludeReader = std::function<bool(const std::string& name, std::string& text)>;

// `source` with every line `#include "NAME"` replaced by NAME's text (read by
// `read`, itself expanded the same way), between #line directives that keep
// the compiler's line numbers those of each file: the taken-in files are
// source strings 1, 2, ... in the order of `included`, which receives each
// name once. False, with the name in `missing`, when a file cannot be read or
// takes itself in.
bool expandIncludes(std::string& source, const IncludeReader& read,
                    std::vector<std::string>& included, std::string& missing);

struct StageFile {
    std::string path;
    GLenum type;
};

// The files a build reads, in reading order: vertex, fragment, geometry for
// the three-stage program; vertex, geometry, fragment for the particle
// variant, whose capturing form has no fragment stage at all; vertex,
// fragment for the vertex-only capture.
std::vector<StageFile> stageFiles(const SourceFiles& files);

// Why a build stopped: the headline line, the file involved (if any) and the
// compiler's or linker's log (only for those two failures).
struct BuildFailure {
    std::string headline;
    std::string path;
    std::string log;
    bool hasLog = false;
};

// One linked GL program built from GLSL files. At start-up any failure while
// reading, compiling or linking stops the process: the system never runs with
// a missing program. Users read `program` directly; a user that keeps uniform
// locations looks them up again when `generation` changes (graph::UniformLocations).
class Shader {
public:
    GLuint program = 0;
    // Which link `program` holds: unique to every link in the process, so a
    // rebuilt program is told apart even where GL reuses its name.
    unsigned long long generation = 0;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;  // 0 for a transform-feedback program
    GLuint geometryShader = 0;  // 0 for a two-stage program
    SourceFiles files;          // what `program` was built from
    // The files its stages took in (#include), as the system names them.
    std::vector<std::string> included;

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
    // Any of the above, named by its stages.
    void createProgram(const SourceFiles& sourceFiles);

    // Builds the program again from `files`, printing nothing and never
    // stopping: null, with the reason in `failure`, when it does not link.
    std::unique_ptr<Shader> rebuilt(BuildFailure& failure) const;
    // Takes over the GL objects and generation of `replacement`, which receives the
    // old ones and deletes them when it goes; every holder of this object
    // draws with the new program from then on.
    void replaceWith(Shader& replacement);

    bool compileShaderFile(const std::string& path, GLenum stageType, GLuint& handle,
                           bool printPath, BuildFailure& failure);
    bool linkProgram(BuildFailure& failure);

private:
    // Creates, compiles and links from `files`, stopping at the first failure.
    bool build(bool printPaths, BuildFailure& failure);
    GLuint& handleFor(GLenum stageType);
};

// The system's programs by key ("default", "shadowOmni", ...).
using ProgramTable = std::map<std::string, std::shared_ptr<Shader>>;

// Prints the message as one line, pauses the console and exits with status -1.
[[noreturn]] void fatalStop(const std::string& message);

// Whether a GL context (the window's or a headless one) is current: GL objects
// held until exit may outlive it, and are deleted only while it lives.
bool contextCurrent();

}  // namespace graph
