// The two off-screen depth targets the shadow passes render into, and the
// cube that keeps the fire light's static casters between frames.
#include <cstdio>

#include "app/Engine.h"

namespace {

// Reports an incomplete target and carries on: the target is used regardless.
void reportIncompleteFramebuffer() {
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::printf("ERROR: Framebuffer fail");
    }
}

}  // namespace

void Engine::createShadowMap() {
    shadowMapWidth = 2048;
    shadowMapHeight = 2048;

    glGenTextures(1, &shadowMapTexture);
    glBindTexture(GL_TEXTURE_2D, shadowMapTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, shadowMapWidth, shadowMapHeight, 0,
                 GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE, nullptr);

    glGenFramebuffers(1, &shadowMapFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowMapFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowMapTexture, 0);

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    // Depth 1 outside the map: a comparison lookup there always passes (lit).
    const GLfloat border[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);

    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    reportIncompleteFramebuffer();
    // The framebuffer stays bound; the cube builder that follows unbinds.

    // Clip coordinates -1..1 to texture coordinates 0..1.
    shadowBiasMatrix = glm::mat4(0.5f, 0.0f, 0.0f, 0.0f,  //
                                 0.0f, 0.5f, 0.0f, 0.0f,  //
                                 0.0f, 0.0f, 0.5f, 0.0f,  //
                                 0.5f, 0.5f, 0.5f, 1.0f);
}

void Engine::createShadowCube() {
    shadowCubeWidth = 1024;
    shadowCubeHeight = 1024;

    glGenTextures(1, &shadowCubeTexture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, shadowCubeTexture);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    for (GLenum face = 0; face < 6; ++face) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, shadowCubeWidth,
                     shadowCubeHeight, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE, nullptr);
    }

    glGenFramebuffers(1, &shadowCubeFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowCubeFramebuffer);
    // Layered: the omni pass's geometry stage picks the face per primitive.
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, shadowCubeTexture, 0);

    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    reportIncompleteFramebuffer();

    // The lit pass reads the cube through this sampler: each lookup compares
    // and filters 2 x 2 texels in one go. The texture keeps its own parameters.
    glGenSamplers(1, &shadowCubeSampler);
    glSamplerParameteri(shadowCubeSampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(shadowCubeSampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(shadowCubeSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(shadowCubeSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(shadowCubeSampler, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(shadowCubeSampler, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glSamplerParameteri(shadowCubeSampler, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
}
