#include "GraphicsEngine/UniformLocations.h"

#include "GraphicsEngine/Shader.h"

namespace graph {

UniformLocations::UniformLocations(const char* const* names, std::size_t count)
    : names_(names), locations_(count, -1) {}

bool UniformLocations::follow(const Shader& shader) {
    if (shader.program == program_ && shader.generation == generation_) return linked_;
    program_ = shader.program;
    generation_ = shader.generation;
    GLint linked = 0;
    if (program_ != 0) glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    linked_ = linked != 0;
    for (std::size_t i = 0; i < locations_.size(); ++i) {
        locations_[i] = linked_ ? glGetUniformLocation(program_, names_[i]) : -1;
    }
    return linked_;
}

}  // namespace graph
