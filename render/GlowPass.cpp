#include "render/GlowPass.h"

#include "render/RenderBackend.h"

#include <cstdio>

namespace {

// Floating point, so that the scene keeps light past 1 and the blur keeps
// faint halo edges; half floats are plenty for both.
constexpr GLenum kColourFormat = GL_RGBA16F;

// The uniforms of the three glow programs; a name a program does not use has
// location -1, which GL ignores.
enum GlowUniform {
    TexelSize, Direction, ColorTexture, GlowTexture, Knee, WhiteSpill, Threshold, GlowStrength,
    Exposure, kGlowUniformCount
};
const char* const kGlowUniformNames[kGlowUniformCount] = {
    "texelSize", "direction", "colorTexture", "glowTexture", "knee", "whiteSpill", "threshold",
    "glowStrength", "exposure"};

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

// Binds `framebuffer` and names its status when GL does not accept it.
std::string problemOf(GLuint framebuffer, const char* name) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status == GL_FRAMEBUFFER_COMPLETE) return "";
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", status);
    return std::string("the ") + name + " target is incomplete (" + code + ")";
}

void drawTriangle() { glDrawArrays(GL_TRIANGLES, 0, 3); }

}  // namespace

void GlowPass::create() {
    sceneTexture_ = makeColourTexture();
    // A texture, so that the particles drawn at half size can read it.
    glGenTextures(1, &sceneDepth_);
    glBindTexture(GL_TEXTURE_2D, sceneDepth_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    brightTexture_ = makeColourTexture();
    for (Level& level : levels_) {
        for (GLuint& texture : level.texture) texture = makeColourTexture();
    }
    triangle_.create();
}

void GlowPass::release() {
    glDeleteFramebuffers(1, &sceneFramebuffer_);
    glDeleteTextures(1, &sceneDepth_);
    glDeleteTextures(1, &sceneTexture_);
    glDeleteFramebuffers(1, &brightFramebuffer_);
    glDeleteTextures(1, &brightTexture_);
    for (Level& level : levels_) {
        glDeleteFramebuffers(2, level.framebuffer);
        glDeleteTextures(2, level.texture);
    }
    triangle_.release();
    const GlowSettings kept = tuning;
    *this = GlowPass();
    tuning = kept;
}

// Storage for a new size; the framebuffers keep their attachments and are
// checked again.
void GlowPass::allocate(unsigned width, unsigned height) {
    width_ = width;
    height_ = height;
    defineColour(sceneTexture_, glow::Size{static_cast<int>(width), static_cast<int>(height)});
    glBindTexture(GL_TEXTURE_2D, sceneDepth_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, nullptr);
    brightSize_ = glow::brightSize(width, height);
    defineColour(brightTexture_, brightSize_);
    for (int i = 0; i < glow::kLevels; ++i) {
        levels_[i].size = glow::levelSize(width, height, i);
        for (GLuint texture : levels_[i].texture) defineColour(texture, levels_[i].size);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    if (sceneFramebuffer_ == 0) {
        sceneFramebuffer_ = makeFramebuffer(sceneTexture_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, sceneDepth_, 0);
        brightFramebuffer_ = makeFramebuffer(brightTexture_);
        for (Level& level : levels_) {
            for (int k = 0; k < 2; ++k) level.framebuffer[k] = makeFramebuffer(level.texture[k]);
        }
    }
    failure_ = incompleteTarget();
}

// The first target GL does not accept, or "".
std::string GlowPass::incompleteTarget() const {
    std::string problem = problemOf(sceneFramebuffer_, "scene");
    if (problem.empty()) problem = problemOf(brightFramebuffer_, "bright-pass");
    for (const Level& level : levels_) {
        for (GLuint framebuffer : level.framebuffer) {
            if (problem.empty()) problem = problemOf(framebuffer, "blur");
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return problem;
}

bool GlowPass::begin(unsigned width, unsigned height) {
    if (width == 0 || height == 0) return false;
    if (!triangle_.created()) create();
    if (width != width_ || height != height_) allocate(width, height);
    if (!failure_.empty()) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer_);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

GlowPass::Program::Program() : at(kGlowUniformNames, kGlowUniformCount) {}

// Binds the program behind `key`. A build met for the first time gets its
// texture units and constants; the tuned values are set again whenever the
// tuning changes.
void GlowPass::use(const graph::ProgramTable& shaders, const char* key, Program& bound) {
    const graph::Shader& shader = *shaders.at(key);
    glUseProgram(shader.program);
    bound.at.follow(shader);
    const graph::UniformLocations& at = bound.at;
    if (at.renewed()) {
        glUniform1i(at[ColorTexture], 0);
        glUniform1i(at[GlowTexture], 1);
        glUniform1f(at[Knee], glow::kKnee);
        glUniform1f(at[WhiteSpill], glow::kWhiteSpill);
    } else if (bound.tuned.threshold == tuning.threshold &&
               bound.tuned.exposure == tuning.exposure && bound.tuned.strength == tuning.strength) {
        return;
    }
    glUniform1f(at[Threshold], tuning.threshold);
    glUniform1f(at[GlowStrength], tuning.strength);
    glUniform1f(at[Exposure], tuning.exposure);
    bound.tuned = tuning;
}

void GlowPass::finish(const graph::ProgramTable& shaders, const RenderBackend& backend,
                      const Display& display) {
    const GLsizei width = static_cast<GLsizei>(width_), height = static_cast<GLsizei>(height_);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    if (display.wireframe) backend.drawLines(false);
    glBindVertexArray(triangle_.vertexArray());
    glActiveTexture(GL_TEXTURE0);

    // Bright pass: the scene's light above the threshold, at a quarter size.
    glBindFramebuffer(GL_FRAMEBUFFER, brightFramebuffer_);
    glViewport(0, 0, brightSize_.width, brightSize_.height);
    use(shaders, "threshold", threshold_);
    glBindTexture(GL_TEXTURE_2D, sceneTexture_);
    glUniform2f(threshold_.at[TexelSize], 1.0f / width, 1.0f / height);
    drawTriangle();

    // Each level blurs the one above it (the first, the bright pass):
    // horizontally into its second texture, halving the size on the way
    // down, then vertically back.
    use(shaders, "filter", filter_);
    for (int i = 0; i < glow::kLevels; ++i) {
        const Level& level = levels_[i];
        const float texelX = 1.0f / level.size.width, texelY = 1.0f / level.size.height;
        glViewport(0, 0, level.size.width, level.size.height);
        glBindFramebuffer(GL_FRAMEBUFFER, level.framebuffer[1]);
        glBindTexture(GL_TEXTURE_2D, i > 0 ? levels_[i - 1].texture[0] : brightTexture_);
        glUniform2f(filter_.at[Direction], texelX, 0.0f);
        drawTriangle();
        glBindFramebuffer(GL_FRAMEBUFFER, level.framebuffer[0]);
        glBindTexture(GL_TEXTURE_2D, level.texture[1]);
        glUniform2f(filter_.at[Direction], 0.0f, texelY);
        drawTriangle();
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
        glUniform2f(filter_.at[Direction], 1.0f / level.size.width, 0.0f);
        drawTriangle();
    }
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The blend, into the display framebuffer. Its colour needs no clear; its
    // depth is what the overlay's text is tested against.
    glBindFramebuffer(GL_FRAMEBUFFER, display.framebuffer);
    glClear(GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    use(shaders, "blend", blend_);
    glBindTexture(GL_TEXTURE_2D, sceneTexture_);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, levels_[0].texture[0]);
    drawTriangle();

    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
    glEnable(GL_DEPTH_TEST);
    if (display.blending) glEnable(GL_BLEND);
    if (display.wireframe) backend.drawLines(true);
}
