#include "render/PictureFilter.h"

namespace {

enum EdgeUniform { EdgePicture, EdgeSteps, kEdgeUniforms };
const char* const kEdgeNames[kEdgeUniforms] = {"picture", "steps"};
// Strides of 1, 2 and 4 pixels: an edge followed 7 pixels each way.
const int kEdgeSteps = 3;

}  // namespace

PictureFilter::PictureFilter() : edges_(kEdgeNames, kEdgeUniforms) {}

void PictureFilter::smoothEdges(const graph::ProgramTable& shaders, GLuint picture) {
    if (!triangle_.created()) triangle_.create();
    const graph::Shader& program = *shaders.at("edgeFilter");
    glUseProgram(program.program);
    if (edges_.follow(program) && edges_.renewed()) {
        glUniform1i(edges_[EdgePicture], 0);
        glUniform1i(edges_[EdgeSteps], kEdgeSteps);
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, picture);
    triangle_.draw();
}

void PictureFilter::release() {
    triangle_.release();
    *this = PictureFilter();
}
