#include "GraphicsEngine/RenderTarget.h"

#include <cstdio>

namespace graph {

namespace {

GLenum internalFormat(ColourFormat format) {
    return format == ColourFormat::Rgba16f ? GL_RGBA16F : GL_RGBA8;
}

GLuint makeTexture(GLint filter) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

GLuint makeRenderbuffer(GLenum format, const TargetDescription& d) {
    GLuint buffer = 0;
    glGenRenderbuffers(1, &buffer);
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    if (d.samples > 1) {
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, d.samples, format, d.width, d.height);
    } else {
        glRenderbufferStorage(GL_RENDERBUFFER, format, d.width, d.height);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return buffer;
}

std::string refusal(GLenum status, const char* name) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", status);
    return std::string("the ") + name + " target is incomplete (" + code + ")";
}

}  // namespace

bool RenderTarget::make(const TargetDescription& d, const char* name) {
    if (framebuffer_ != 0 && d == description_) return failure_.empty();
    release();
    description_ = d;
    const bool multisampled = d.samples > 1;
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);

    if (d.colour != ColourFormat::None && multisampled) {
        colourBuffer_ = makeRenderbuffer(internalFormat(d.colour), d);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  colourBuffer_);
    } else if (d.colour != ColourFormat::None) {
        // Bilinear: a later pass may read it at another size.
        colourTexture_ = makeTexture(GL_LINEAR);
        const bool half = d.colour == ColourFormat::Rgba16f;
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat(d.colour)), d.width,
                     d.height, 0, GL_RGBA, half ? GL_FLOAT : GL_UNSIGNED_BYTE, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colourTexture_,
                               0);
    } else {
        const GLenum none = GL_NONE;
        glDrawBuffers(1, &none);  // glDrawBuffer is desktop GL's alone
        glReadBuffer(GL_NONE);
    }

    if (d.depth == DepthImage::Texture && !multisampled) {
        depthTexture_ = makeTexture(GL_NEAREST);  // depth is never filtered on OpenGL ES
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, d.width, d.height, 0,
                     GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depthTexture_,
                               0);
    } else if (d.depth == DepthImage::Texture) {
        // Multisampled, in the format of the depth texture it is resolved
        // into: a blit copies depth only between equal formats.
        depthBuffer_ = makeRenderbuffer(GL_DEPTH_COMPONENT24, d);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  depthBuffer_);
    } else if (d.depth != DepthImage::None) {
        depthBuffer_ = makeRenderbuffer(GL_DEPTH24_STENCIL8, d);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  depthBuffer_);
    }
    glBindTexture(GL_TEXTURE_2D, 0);

    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) failure_ = refusal(status, name);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return failure_.empty();
}

GLuint RenderTarget::colourOnlyFramebuffer() {
    if (colourOnly_ == 0 && colourTexture_ != 0) {
        glGenFramebuffers(1, &colourOnly_);
        glBindFramebuffer(GL_FRAMEBUFFER, colourOnly_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colourTexture_,
                               0);
    }
    return colourOnly_;
}

void RenderTarget::release() {
    const GLuint framebuffers[] = {framebuffer_, colourOnly_};
    const GLuint textures[] = {colourTexture_, depthTexture_};
    const GLuint renderbuffers[] = {colourBuffer_, depthBuffer_};
    if (framebuffer_ != 0) {
        glDeleteFramebuffers(2, framebuffers);
        glDeleteTextures(2, textures);
        glDeleteRenderbuffers(2, renderbuffers);
    }
    description_ = TargetDescription();
    failure_.clear();
    framebuffer_ = colourOnly_ = colourTexture_ = depthTexture_ = colourBuffer_ = depthBuffer_ = 0;
}

}  // namespace graph
