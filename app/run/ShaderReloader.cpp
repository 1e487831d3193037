#include "app/run/ShaderReloader.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "GraphicsEngine/ResourcePaths.h"
#include "app/run/GlDebug.h"

namespace shaderreload {

std::vector<std::string> watchedFiles(const Usage& usage) {
    std::vector<std::string> files;
    for (const auto& [program, paths] : usage) {
        files.insert(files.end(), paths.begin(), paths.end());
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

std::vector<std::string> programsUsing(const Usage& usage, const std::string& path) {
    std::vector<std::string> programs;
    for (const auto& [program, paths] : usage) {
        if (std::find(paths.begin(), paths.end(), path) != paths.end()) programs.push_back(program);
    }
    return programs;
}

std::vector<std::string> filesToReload(const Stamps& seen, const Stamps& now, const Usage& usage) {
    std::vector<std::string> files;
    for (const auto& [path, stamp] : now) {
        const auto before = seen.find(path);
        if (before != seen.end() && before->second == stamp) continue;
        const std::vector<std::string> programs = programsUsing(usage, path);
        bool readable = !programs.empty();
        for (const std::string& program : programs) {
            for (const std::string& file : usage.at(program)) {
                readable = readable && now.count(file) != 0;
            }
        }
        if (readable) files.push_back(path);
    }
    return files;
}

std::string fileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string reloadedLine(const std::string& file, const std::vector<std::string>& programs) {
    std::string line = "Shader reloaded: " + file + " (";
    for (size_t i = 0; i < programs.size(); ++i) line += (i == 0 ? "" : ", ") + programs[i];
    return line + ")";
}

std::string failedLine(const std::string& file) {
    return "Shader reload failed: " + file + "; keeping the running program";
}

std::string failureText(const graph::BuildFailure& failure, const std::string& program) {
    std::string text = failure.headline + " ";
    text += failure.path.empty() ? program : fileName(failure.path) + " (" + program + ")";
    text += "\n" + failure.log;
    if (text.back() != '\n') text += "\n";
    return text;
}

}  // namespace shaderreload

ShaderReloader::ShaderReloader(Registry& shaders, double now) : shaders_(shaders), lastPoll_(now) {
    for (const auto& [key, shader] : shaders_) {
        if (!shader) continue;
        for (const graph::StageFile& stage : graph::stageFiles(shader->files)) {
            usage_[key].push_back(paths::resolvePath(stage.path));
        }
        // A file its stages take in rebuilds it too.
        for (const std::string& path : shader->included) {
            usage_[key].push_back(paths::resolvePath(path));
        }
    }
    seen_ = readStamps();
    // A broken save is reported with the compiler's log; the driver's copy of
    // that log is the user's typo, not a GL error (--gl-debug counts those).
    gldebug::quietShaderCompiler();
}

shaderreload::Stamps ShaderReloader::readStamps() const {
    namespace fs = std::filesystem;
    shaderreload::Stamps stamps;
    for (const std::string& path : shaderreload::watchedFiles(usage_)) {
        std::error_code error;
        const auto modified = fs::last_write_time(path, error);
        if (error) continue;
        const std::uintmax_t size = fs::file_size(path, error);
        if (error || size == 0) continue;
        stamps[path] = {static_cast<long long>(modified.time_since_epoch().count()), size};
    }
    return stamps;
}

std::vector<ReloadReport> ShaderReloader::poll(double now) {
    if (now - lastPoll_ < shaderreload::kPollInterval) return {};
    lastPoll_ = now;
    const shaderreload::Stamps current = readStamps();
    std::vector<ReloadReport> reports;
    for (const std::string& path : shaderreload::filesToReload(seen_, current, usage_)) {
        seen_[path] = current.at(path);
        reports.push_back(reload(path));
    }
    return reports;
}

ReloadReport ShaderReloader::reload(const std::string& path) {
    const std::string file = shaderreload::fileName(path);
    const std::vector<std::string> programs = shaderreload::programsUsing(usage_, path);
    std::vector<std::unique_ptr<graph::Shader>> replacements;
    for (const std::string& key : programs) {
        graph::BuildFailure failure;
        replacements.push_back(shaders_.at(key)->rebuilt(failure));
        if (!replacements.back()) {
            const std::string line = shaderreload::failedLine(file);
            return {shaderreload::failureText(failure, key) + line + "\n", line};
        }
    }
    // The replacements leave holding the old programs, and delete them.
    for (size_t i = 0; i < programs.size(); ++i) {
        shaders_.at(programs[i])->replaceWith(*replacements[i]);
    }
    const std::string line = shaderreload::reloadedLine(file, programs);
    return {line + "\n", line};
}
