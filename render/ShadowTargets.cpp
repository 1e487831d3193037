// The two off-screen depth targets the shadow passes render into: the sun's
// map and the fire light's cube, with the sampler the lit pass reads it by.
#include <cstdio>

#include "app/Engine.h"
#include "render/RenderState.h"

namespace {

// Reports an incomplete target and carries on: the target is used regardless.
void reportIncompleteFramebuffer() {
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::printf("ERROR: Framebuffer fail");
    }
}

// A depth-only framebuffer (glDrawBuffer is desktop GL's alone).
void noColourBuffers() {
    const GLenum none = GL_NONE;
    glDrawBuffers(1, &none);
    glReadBuffer(GL_NONE);
}

}  // namespace

void Engine::createShadowMap() {
    const RenderBackend& backend = *render->backend;
    shadowMapWidth = 2048;
    shadowMapHeight = 2048;

    glGenTextures(1, &shadowMapTexture);
    glBindTexture(GL_TEXTURE_2D, shadowMapTexture);
    backend.allocateShadowDepth(GL_TEXTURE_2D, GL_DEPTH_COMPONENT24, shadowMapWidth,
                                shadowMapHeight);

    glGenFramebuffers(1, &shadowMapFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowMapFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowMapTexture, 0);

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    backend.setShadowMapEdge();  // lit outside the map where the context has a border

    noColourBuffers();
    reportIncompleteFramebuffer();
    // The framebuffer stays bound; the cube builder that follows unbinds.

    // Clip coordinates -1..1 to texture coordinates 0..1.
    shadowBiasMatrix = glm::mat4(0.5f, 0.0f, 0.0f, 0.0f,  //
                                 0.0f, 0.5f, 0.0f, 0.0f,  //
                                 0.0f, 0.0f, 0.5f, 0.0f,  //
                                 0.5f, 0.5f, 0.5f, 1.0f);
}

void Engine::createShadowCube() {
    const RenderBackend& backend = *render->backend;
    shadowCubeWidth = 1024;
    shadowCubeHeight = 1024;

    glGenTextures(1, &shadowCubeTexture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, shadowCubeTexture);
    // The texture's own filter serves the shadow-cube box (the lit pass has a sampler).
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, backend.shadowCubeFilter());
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, backend.shadowCubeFilter());
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    for (GLenum face = 0; face < 6; ++face) {
        backend.allocateShadowDepth(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, GL_DEPTH_COMPONENT,
                                    shadowCubeWidth, shadowCubeHeight);
    }

    glGenFramebuffers(1, &shadowCubeFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowCubeFramebuffer);
    // Every face where the context takes layers (the desktop), else the first.
    backend.attachShadowCube(shadowCubeTexture);
    noColourBuffers();
    reportIncompleteFramebuffer();

    // The lit pass reads the cube through this sampler: each lookup compares
    // and filters 2 x 2 texels in one go. The texture keeps its own parameters.
    glGenSamplers(1, &render->shadowCubeSampler);
    glSamplerParameteri(render->shadowCubeSampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(render->shadowCubeSampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(render->shadowCubeSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(render->shadowCubeSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(render->shadowCubeSampler, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(render->shadowCubeSampler, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glSamplerParameteri(render->shadowCubeSampler, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
}

void Engine::releaseShadowTargets() {
    glDeleteFramebuffers(1, &shadowMapFramebuffer);
    glDeleteTextures(1, &shadowMapTexture);
    glDeleteFramebuffers(1, &shadowCubeFramebuffer);
    glDeleteTextures(1, &shadowCubeTexture);
    glDeleteSamplers(1, &render->shadowCubeSampler);
    shadowMapFramebuffer = shadowMapTexture = shadowCubeFramebuffer = shadowCubeTexture = 0;
    render->shadowCubeSampler = 0;
}
