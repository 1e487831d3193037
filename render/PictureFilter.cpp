#include "render/PictureFilter.h"

namespace {

enum EdgeUniform { EdgePicture, EdgeSteps, kEdgeUniforms };
const char* const kEdgeNames[kEdgeUniforms] = {"picture", "steps"};
// Strides of 1, 2 and 4 pixels: an edge followed 7 pixels each way.
const int kEdgeSteps = 3;

enum UpscaleUniform { UpscalePicture, UpscaleScale, kUpscaleUniforms };
const char* const kUpscaleNames[kUpscaleUniforms] = {"picture", "scale"};

}  // namespace

PictureFilter::PictureFilter()
    : edges_(kEdgeNames, kEdgeUniforms), upscale_(kUpscaleNames, kUpscaleUniforms) {}

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

void PictureFilter::scaleUp(const graph::ProgramTable& shaders, GLuint picture, int fromWidth,
                            int fromHeight, int toWidth, int toHeight) {
    if (!triangle_.created()) triangle_.create();
    const graph::Shader& program = *shaders.at("upscale");
    glUseProgram(program.program);
    if (upscale_.follow(program) && upscale_.renewed()) glUniform1i(upscale_[UpscalePicture], 0);
    glUniform2f(upscale_[UpscaleScale], static_cast<float>(fromWidth) / static_cast<float>(toWidth),
                static_cast<float>(fromHeight) / static_cast<float>(toHeight));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, picture);
    triangle_.draw();
}

void PictureFilter::release() {
    triangle_.release();
    *this = PictureFilter();
}
