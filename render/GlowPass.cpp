#include "render/GlowPass.h"

#include "GraphicsEngine/Uniforms.h"

namespace {

// Floating point, so that the scene keeps light past 1 and the blur keeps
// faint halo edges; half floats are plenty for both.
constexpr GLenum kColourFormat = GL_RGBA16F;

void defineColour(GLuint texture, glow::Size size) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, kColourFormat, size.width, size.height, 0, GL_RGBA, GL_FLOAT,
                 nullptr);
}

GLuint makeColourTexture() {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Bilinear: the bright pass and the blur average neighbours with single taps.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

GLuint makeFramebuffer(GLuint texture) {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    return framebuffer;
}

GLuint programOf(const graph::ProgramTable& shaders, const char* key) {
    const auto found = shaders.find(key);
    return found != shaders.end() && found->second ? found->second->program : 0;
}

}  // namespace

void GlowPass::create() {
    sceneTexture_ = makeColourTexture();
    glGenRenderbuffers(1, &sceneDepth_);
    brightTexture_ = makeColourTexture();
    for (Level& level : levels_) {
        for (GLuint& texture : level.texture) texture = makeColourTexture();
    }
    // One triangle over the whole target: no seam along a diagonal.
    const GLfloat corners[] = {-1.0f, -1.0f, 3.0f, -1.0f, -1.0f, 3.0f};
    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glBindVertexArray(0);
}

// Storage for a new size; the framebuffers keep their attachments.
void GlowPass::allocate(unsigned width, unsigned height) {
    width_ = width;
    height_ = height;
    defineColour(sceneTexture_, glow::Size{static_cast<int>(width), static_cast<int>(height)});
    glBindRenderbuffer(GL_RENDERBUFFER, sceneDepth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, static_cast<GLsizei>(width),
                          static_cast<GLsizei>(height));
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    brightSize_ = glow::brightSize(width, height);
    defineColour(brightTexture_, brightSize_);
    for (int i = 0; i < glow::kLevels; ++i) {
        levels_[i].size = glow::levelSize(width, height, i);
        for (GLuint texture : levels_[i].texture) defineColour(texture, levels_[i].size);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    if (sceneFramebuffer_ == 0) {
        sceneFramebuffer_ = makeFramebuffer(sceneTexture_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  sceneDepth_);
        brightFramebuffer_ = makeFramebuffer(brightTexture_);
        for (Level& level : levels_) {
            for (int k = 0; k < 2; ++k) level.framebuffer[k] = makeFramebuffer(level.texture[k]);
        }
    }
}

bool GlowPass::begin(unsigned width, unsigned height) {
    if (width == 0 || height == 0) return false;
    if (vao_ == 0) create();
    if (width != width_ || height != height_) allocate(width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer_);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

void GlowPass::drawTriangle(GLuint program) {
    const GLint position = glGetAttribLocation(program, "position");
    if (position < 0) return;  // a program without the attribute draws nothing
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDisableVertexAttribArray(static_cast<GLuint>(position));
}

void GlowPass::finish(const graph::ProgramTable& shaders, GLuint display, bool wireframe) {
    const GLuint threshold = programOf(shaders, "threshold");
    const GLuint filter = programOf(shaders, "filter");
    const GLuint blend = programOf(shaders, "blend");
    const GLsizei width = static_cast<GLsizei>(width_), height = static_cast<GLsizei>(height_);
    if (threshold == 0 || filter == 0 || blend == 0) {
        // Without its programs the glow shows the scene as it is.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, sceneFramebuffer_);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, display);
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, display);
        return;
    }

    const GLboolean blending = glIsEnabled(GL_BLEND);
    GLint blendFunction[4] = {};
    glGetIntegerv(GL_BLEND_SRC_RGB, &blendFunction[0]);
    glGetIntegerv(GL_BLEND_DST_RGB, &blendFunction[1]);
    glGetIntegerv(GL_BLEND_SRC_ALPHA, &blendFunction[2]);
    glGetIntegerv(GL_BLEND_DST_ALPHA, &blendFunction[3]);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    if (wireframe) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBindVertexArray(vao_);
    glActiveTexture(GL_TEXTURE0);

    // Bright pass: the scene's light above the threshold, at a quarter size.
    glBindFramebuffer(GL_FRAMEBUFFER, brightFramebuffer_);
    glViewport(0, 0, brightSize_.width, brightSize_.height);
    glUseProgram(threshold);
    glBindTexture(GL_TEXTURE_2D, sceneTexture_);
    uniforms::setInt(threshold, "colorTexture", 0);
    uniforms::setVec2(threshold, "texelSize", glm::vec2(1.0f / width, 1.0f / height));
    uniforms::setFloat(threshold, "threshold", glow::kThreshold);
    drawTriangle(threshold);

    // Each level blurs the one above it (the first, the bright pass):
    // horizontally into its second texture, halving the size on the way
    // down, then vertically back.
    glUseProgram(filter);
    uniforms::setInt(filter, "colorTexture", 0);
    for (int i = 0; i < glow::kLevels; ++i) {
        const Level& level = levels_[i];
        const glm::vec2 texel(1.0f / level.size.width, 1.0f / level.size.height);
        glViewport(0, 0, level.size.width, level.size.height);
        glBindFramebuffer(GL_FRAMEBUFFER, level.framebuffer[1]);
        glBindTexture(GL_TEXTURE_2D, i > 0 ? levels_[i - 1].texture[0] : brightTexture_);
        uniforms::setVec2(filter, "direction", glm::vec2(texel.x, 0.0f));
        drawTriangle(filter);
        glBindFramebuffer(GL_FRAMEBUFFER, level.framebuffer[0]);
        glBindTexture(GL_TEXTURE_2D, level.texture[1]);
        uniforms::setVec2(filter, "direction", glm::vec2(0.0f, texel.y));
        drawTriangle(filter);
    }

    // Fold the wider levels into the first, widest last, so that the blend
    // reads one texture: level i += (weight i+1 / weight i) x level i+1, read
    // through the horizontal blur, which smooths the enlarged texels.
    glEnable(GL_BLEND);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE);
    for (int i = glow::kLevels - 2; i >= 0; --i) {
        const Level& level = levels_[i];
        glBlendColor(0.0f, 0.0f, 0.0f, glow::kLevelWeights[i + 1] / glow::kLevelWeights[i]);
        glViewport(0, 0, level.size.width, level.size.height);
        glBindFramebuffer(GL_FRAMEBUFFER, level.framebuffer[0]);
        glBindTexture(GL_TEXTURE_2D, levels_[i + 1].texture[0]);
        uniforms::setVec2(filter, "direction", glm::vec2(1.0f / level.size.width, 0.0f));
        drawTriangle(filter);
    }
    glDisable(GL_BLEND);

    // The blend, into the display framebuffer.
    glBindFramebuffer(GL_FRAMEBUFFER, display);
    glViewport(0, 0, width, height);
    glUseProgram(blend);
    glBindTexture(GL_TEXTURE_2D, sceneTexture_);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, levels_[0].texture[0]);
    uniforms::setInt(blend, "colorTexture", 0);
    uniforms::setInt(blend, "glowTexture", 1);
    uniforms::setFloat(blend, "glowStrength", glow::kLevelWeights[0]);
    uniforms::setFloat(blend, "exposure", glow::kExposure);
    uniforms::setFloat(blend, "knee", glow::kKnee);
    uniforms::setFloat(blend, "whiteSpill", glow::kWhiteSpill);
    drawTriangle(blend);

    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
    glEnable(GL_DEPTH_TEST);
    // The blend function is the particles' to leave for F9's next frame.
    glBlendFuncSeparate(static_cast<GLenum>(blendFunction[0]), static_cast<GLenum>(blendFunction[1]),
                        static_cast<GLenum>(blendFunction[2]), static_cast<GLenum>(blendFunction[3]));
    if (blending) glEnable(GL_BLEND);
    if (wireframe) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
}

void GlowPass::release() {
    for (Level& level : levels_) {
        glDeleteFramebuffers(2, level.framebuffer);
        glDeleteTextures(2, level.texture);
        level = Level();
    }
    glDeleteFramebuffers(1, &brightFramebuffer_);
    glDeleteTextures(1, &brightTexture_);
    glDeleteFramebuffers(1, &sceneFramebuffer_);
    glDeleteRenderbuffers(1, &sceneDepth_);
    glDeleteTextures(1, &sceneTexture_);
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteVertexArrays(1, &vao_);
    sceneTexture_ = sceneDepth_ = sceneFramebuffer_ = vertexBuffer_ = vao_ = 0;
    brightTexture_ = brightFramebuffer_ = 0;
    width_ = height_ = 0;
}
