#include "render/OffscreenParticles.h"

namespace {

enum HalfDepthUniform { HalfSceneDepth, SceneSize, kHalfDepthUniforms };
const char* const kHalfDepthNames[kHalfDepthUniforms] = {"sceneDepth", "sceneSize"};
enum CompositeUniform { Particles, HalfDepth, SceneDepth, EdgeDepth, kCompositeUniforms };
const char* const kCompositeNames[kCompositeUniforms] = {"particles", "halfDepth", "sceneDepth",
                                                         "edgeDepth"};

void nearestClamped(GLenum target) {
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

OffscreenParticles::OffscreenParticles()
    : halfDepth_(kHalfDepthNames, kHalfDepthUniforms),
      composite_(kCompositeNames, kCompositeUniforms) {}

void OffscreenParticles::allocate(offscreen::Size size, bool floatColour) {
    if (framebuffer_ == 0) {
        glGenTextures(1, &colour_);
        glGenTextures(1, &depth_);
        glGenFramebuffers(1, &framebuffer_);
        triangle_.create();
    }
    size_ = size;
    floatColour_ = floatColour;
    // Bilinear: the composite filters the layer where nothing stands in front.
    glBindTexture(GL_TEXTURE_2D, colour_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    if (floatColour) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, size.width, size.height, 0, GL_RGBA, GL_FLOAT,
                     nullptr);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size.width, size.height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, depth_);
    nearestClamped(GL_TEXTURE_2D);  // depth is never filtered on OpenGL ES
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, size.width, size.height, 0,
                 GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth_, 0);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

bool OffscreenParticles::begin(const graph::ProgramTable& shaders, GLuint sceneDepth, int width,
                               int height, bool floatColour) {
    const offscreen::Size size = offscreen::halfSize(width, height);
    if (size.width == 0 || sceneDepth == 0) return false;
    if (size.width != size_.width || size.height != size_.height || floatColour != floatColour_ ||
        framebuffer_ == 0) {
        allocate(size, floatColour);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    if (!complete_) return false;
    glViewport(0, 0, size.width, size.height);

    // The kept depths, written by a full-target pass that every pixel passes.
    const graph::Shader& program = *shaders.at("halfDepth");
    glUseProgram(program.program);
    if (halfDepth_.follow(program) && halfDepth_.renewed()) {
        glUniform1i(halfDepth_[HalfSceneDepth], 0);
    }
    glUniform2i(halfDepth_[SceneSize], width, height);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneDepth);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthFunc(GL_ALWAYS);
    triangle_.draw();
    glDepthFunc(GL_LESS);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    const GLfloat nothing[] = {0.0f, 0.0f, 0.0f, 0.0f};
    glClearBufferfv(GL_COLOR, 0, nothing);  // the frame's clear colour stays
    return true;
}

void OffscreenParticles::composite(const graph::ProgramTable& shaders, GLuint sceneColour,
                                   GLuint sceneDepth, int width, int height) {
    if (compositeFramebuffer_ == 0) glGenFramebuffers(1, &compositeFramebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, compositeFramebuffer_);
    if (sceneColour != compositeColour_) {  // the glow's target or the scene's own
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sceneColour, 0);
        compositeColour_ = sceneColour;
    }
    glViewport(0, 0, width, height);
    const graph::Shader& program = *shaders.at("particleComposite");
    glUseProgram(program.program);
    if (composite_.follow(program) && composite_.renewed()) {
        glUniform1i(composite_[Particles], 0);
        glUniform1i(composite_[HalfDepth], 1);
        glUniform1i(composite_[SceneDepth], 2);
        glUniform1f(composite_[EdgeDepth], offscreen::kEdgeDepth);
    }
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, sceneDepth);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, depth_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colour_);
    const particles::Blend blend = offscreen::kComposite;
    glEnable(GL_BLEND);
    glBlendFuncSeparate(blend.sourceColour, blend.destinationColour, blend.sourceAlpha,
                        blend.destinationAlpha);
    glDisable(GL_DEPTH_TEST);
    triangle_.draw();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);  // start-up's, as the glow leaves it
}

void OffscreenParticles::release() {
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteFramebuffers(1, &compositeFramebuffer_);
    glDeleteTextures(1, &colour_);
    glDeleteTextures(1, &depth_);
    triangle_.release();
    const bool on = enabled;
    *this = OffscreenParticles();
    enabled = on;
}
