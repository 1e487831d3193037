#pragma once
// Live shader editing: while the demo runs, a saved GLSL file rebuilds every
// program built from it, in place. The decisions are the plain functions
// below; ShaderReloader only reads file stamps and builds programs.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"

namespace shaderreload {

// Seconds between two looks at the files.
constexpr double kPollInterval = 0.5;

// A file that exists and holds something. Editors that save by rename leave a
// moment with no file or an empty one: such a file has no stamp and waits.
struct FileStamp {
    long long modified = 0;
    std::uintmax_t size = 0;
    bool operator==(const FileStamp& other) const {
        return modified == other.modified && size == other.size;
    }
};
using Stamps = std::map<std::string, FileStamp>;  // by real path

// Program key -> the real paths of the files it is built from.
using Usage = std::map<std::string, std::vector<std::string>>;

// Every file some program is built from, sorted, each once.
std::vector<std::string> watchedFiles(const Usage& usage);
// The programs built from `path`, in key order.
std::vector<std::string> programsUsing(const Usage& usage, const std::string& path);
// Files whose stamp differs from the one last seen and whose programs can all
// be read now; the others are looked at again at the next poll.
std::vector<std::string> filesToReload(const Stamps& seen, const Stamps& now, const Usage& usage);

std::string fileName(const std::string& path);
std::string reloadedLine(const std::string& file, const std::vector<std::string>& programs);
std::string failedLine(const std::string& file);
// The failure's headline naming the file (or the program, for a link) and the
// compiler's log, each ending with a line end.
std::string failureText(const graph::BuildFailure& failure, const std::string& program);

}  // namespace shaderreload

// What one reloaded file tells the user: the console text and the overlay line.
struct ReloadReport {
    std::string console;
    std::string status;
};

class ShaderReloader {
public:
    using Registry = graph::ProgramTable;

    // The programs were just built, so the files as they are now count as seen.
    ShaderReloader(Registry& shaders, double now);

    // Once the poll interval has passed since the last look: rebuilds the
    // programs of every changed file, one report per file.
    std::vector<ReloadReport> poll(double now);

private:
    Registry& shaders_;
    shaderreload::Usage usage_;
    shaderreload::Stamps seen_;
    double lastPoll_;

    shaderreload::Stamps readStamps() const;
    // All or nothing: the programs change only if every one of them links.
    ReloadReport reload(const std::string& path);
};
