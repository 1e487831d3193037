#include "GraphicsEngine/UniformLocations.h"

#include "GraphicsEngine/Shader.h"

namespace graph {

UniformLocations::UniformLocations(const char* const* names, std::size_t count)
    : UniformLocations(std::vector<std::string>(names, names + count)) {}

UniformLocations::UniformLocations(std::vector<std::string> names)
    : names_(std::move(names)), locations_(names_.size(), -1) {}

bool UniformLocations::follow(const Shader& shader) {
    renewed_ = shader.program != program_ || shader.generation != generation_;
    if (!renewed_) return linked_;
    program_ = shader.program;
    generation_ = shader.generation;
    GLint linked = 0;
    if (program_ != 0) glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    linked_ = linked != 0;
    for (std::size_t i = 0; i < locations_.size(); ++i) {
        locations_[i] = linked_ ? glGetUniformLocation(program_, names_[i].c_str()) : -1;
    }
    return linked_;
}

// A table stays with its Shader object: a reload keeps the object and renews
// its generation, which the table follows.
const UniformLocations& UniformTables::follow(const Shader& shader) {
    auto found = tables_.find(&shader);
    if (found == tables_.end()) found = tables_.emplace(&shader, UniformLocations(names_)).first;
    found->second.follow(shader);
    return found->second;
}

}  // namespace graph
