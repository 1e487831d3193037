#include "render/StaticShadowCube.h"

#include <algorithm>

#include "render/RenderBackend.h"

namespace {

GLuint faceFramebuffer(GLuint cube, int face) {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                           static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face), cube, 0);
    const GLenum none = GL_NONE;
    glDrawBuffers(1, &none);  // glDrawBuffer is desktop GL's alone
    glReadBuffer(GL_NONE);
    return framebuffer;
}

}  // namespace

void StaticShadowCube::create(const RenderBackend& backend, GLuint frameTexture,
                              GLuint frameFramebuffer, int size, GLuint display) {
    frameTexture_ = frameTexture;
    frameFramebuffer_ = frameFramebuffer;
    drawTarget = frameFramebuffer;
    drawFace = -1;
    size_ = size;

    // The same storage as the frame's cube, so that either copy is exact.
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    for (GLenum face = 0; face < 6; ++face) {
        backend.allocateShadowDepth(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, GL_DEPTH_COMPONENT,
                                    size, size);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);

    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    backend.attachShadowCube(texture);
    const GLenum none = GL_NONE;
    glDrawBuffers(1, &none);
    glReadBuffer(GL_NONE);

    // Made on either path, so that a test can take the other one as well.
    for (int face = 0; face < 6; ++face) {
        staticFaces_[face] = faceFramebuffer(texture, face);
        frameFaces_[face] = faceFramebuffer(frameTexture, face);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, display);
}

void StaticShadowCube::draw(const RenderBackend& backend, bool own, GLbitfield clear,
                            const std::function<void()>& casters) {
    backend.drawShadowCube(own ? framebuffer : frameFramebuffer_, own ? staticFaces_ : frameFaces_,
                           clear, [&](int face, GLuint target) {
                               drawTarget = target;
                               drawFace = face;
                               casters();
                           });
    drawTarget = frameFramebuffer_;
    drawFace = -1;
}

void StaticShadowCube::copyToFrameCube(const RenderBackend& backend) {
    if (copiesImages) {
        backend.copyCubeImages(texture, frameTexture_, size_);
    } else {
        for (int face = 0; face < 6; ++face) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, staticFaces_[face]);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, frameFaces_[face]);
            glBlitFramebuffer(0, 0, size_, size_, 0, 0, size_, size_, GL_DEPTH_BUFFER_BIT,
                              GL_NEAREST);
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, frameFramebuffer_);
}

bool StaticShadowCube::wasSeenMoving(const void* object) const {
    return std::find(seenMoving.begin(), seenMoving.end(), object) != seenMoving.end();
}

void StaticShadowCube::release() {
    glDeleteFramebuffers(6, staticFaces_);
    glDeleteFramebuffers(6, frameFaces_);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
    const bool copies = copiesImages;
    *this = StaticShadowCube();
    copiesImages = copies;
}
