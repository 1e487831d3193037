#include "render/RenderBackend.h"

#include <cstring>

#include "render/Antialias.h"

// The driver's own list: GLEW, told to load every entry point, marks an
// extension present wherever its functions resolve, and Mesa's always do.
bool driverLists(const char* extension) {
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const GLubyte* name = glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i));
        if (name != nullptr && std::strcmp(reinterpret_cast<const char*>(name), extension) == 0) {
            return true;
        }
    }
    return false;
}

void askSamplesAndRenderer(Capabilities& can) {
    GLint samples = 1;
    glGetIntegerv(GL_MAX_SAMPLES, &samples);
    can.maxSamples = samples;
    can.softwareRenderer = antialias::isSoftwareRenderer(rendererName());
}

namespace {

void enable(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

}  // namespace

void RenderBackend::setState(const PassState& state) const {
    enable(GL_BLEND, state.blend);
    const particles::Blend& f = state.blendFunction;
    glBlendFuncSeparate(f.sourceColour, f.destinationColour, f.sourceAlpha, f.destinationAlpha);
    enable(GL_DEPTH_TEST, state.depthTest);
    glDepthMask(state.depthWrite ? GL_TRUE : GL_FALSE);
    glDepthFunc(state.depthFunction);
    enable(GL_CULL_FACE, state.cullBackFaces);
    glCullFace(GL_BACK);
    const GLboolean colour = state.colourWrite ? GL_TRUE : GL_FALSE;
    glColorMask(colour, colour, colour, colour);
    glViewport(0, 0, state.viewportWidth, state.viewportHeight);
    drawLines(state.lines);  // nothing where the context has no polygon mode
}
