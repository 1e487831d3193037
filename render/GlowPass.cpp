#include "render/GlowPass.h"

#include "render/RenderBackend.h"

namespace {

// The uniforms of the three glow programs; a name a program does not use has
// location -1, which GL ignores.
enum GlowUniform {
    TexelSize, Direction, ColorTexture, GlowTexture, Knee, WhiteSpill, Threshold, GlowStrength,
    Exposure, kGlowUniformCount
};
const char* const kGlowUniformNames[kGlowUniformCount] = {
    "texelSize", "direction", "colorTexture", "glowTexture", "knee", "whiteSpill", "threshold",
    "glowStrength", "exposure"};

// Floating point, so that the blur keeps faint halo edges; bilinear (every
// colour target is), so that the bright pass and the blur average
// neighbours with single taps.
graph::TargetDescription levelTarget(glow::Size size) {
    graph::TargetDescription d;
    d.width = size.width;
    d.height = size.height;
    d.colour = graph::ColourFormat::Rgba16f;
    return d;
}

void drawTriangle() { glDrawArrays(GL_TRIANGLES, 0, 3); }

}  // namespace

bool GlowPass::makeTargets(int width, int height) {
    if (!triangle_.created()) triangle_.create();
    const unsigned w = static_cast<unsigned>(width), h = static_cast<unsigned>(height);
    sceneSize_ = glow::Size{width, height};
    failure_.clear();
    if (!bright_.make(levelTarget(glow::brightSize(w, h)), "bright-pass")) {
        failure_ = bright_.failure();
    }
    for (int i = 0; i < glow::kLevels; ++i) {
        for (graph::RenderTarget& target : levels_[i]) {
            if (!target.make(levelTarget(glow::levelSize(w, h, i)), "blur") && failure_.empty()) {
                failure_ = target.failure();
            }
        }
    }
    return failure_.empty();
}

void GlowPass::release() {
    bright_.release();
    for (auto& level : levels_) {
        for (graph::RenderTarget& target : level) target.release();
    }
    triangle_.release();
    failure_.clear();
    sceneSize_ = glow::Size();
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

void GlowPass::draw(const graph::ProgramTable& shaders, const RenderBackend& backend,
                    GLuint scene, GLuint into, glow::Size intoSize) {
    glBindVertexArray(triangle_.vertexArray());
    glActiveTexture(GL_TEXTURE0);

    // Bright pass: the scene's light above the threshold, at a quarter size.
    const graph::TargetDescription& bright = bright_.description();
    glBindFramebuffer(GL_FRAMEBUFFER, bright_.framebuffer());
    backend.setState(PassState::screen(bright.width, bright.height));
    use(shaders, "threshold", threshold_);
    glBindTexture(GL_TEXTURE_2D, scene);
    glUniform2f(threshold_.at[TexelSize], 1.0f / static_cast<float>(sceneSize_.width),
                1.0f / static_cast<float>(sceneSize_.height));
    drawTriangle();

    // Each level blurs the one above it (the first, the bright pass):
    // horizontally into its second target, halving the size on the way
    // down, then vertically back.
    use(shaders, "filter", filter_);
    for (int i = 0; i < glow::kLevels; ++i) {
        graph::RenderTarget(&level)[2] = levels_[i];
        const graph::TargetDescription& size = level[0].description();
        backend.setState(PassState::screen(size.width, size.height));
        glBindFramebuffer(GL_FRAMEBUFFER, level[1].framebuffer());
        glBindTexture(GL_TEXTURE_2D, i > 0 ? levels_[i - 1][0].colour() : bright_.colour());
        glUniform2f(filter_.at[Direction], 1.0f / static_cast<float>(size.width), 0.0f);
        drawTriangle();
        glBindFramebuffer(GL_FRAMEBUFFER, level[0].framebuffer());
        glBindTexture(GL_TEXTURE_2D, level[1].colour());
        glUniform2f(filter_.at[Direction], 0.0f, 1.0f / static_cast<float>(size.height));
        drawTriangle();
    }

    // Fold the wider levels into the first, widest last, so that the blend
    // reads one texture: level i += (weight i+1 / weight i) x level i+1, read
    // through the horizontal blur, which smooths the enlarged texels.
    for (int i = glow::kLevels - 2; i >= 0; --i) {
        const graph::TargetDescription& size = levels_[i][0].description();
        PassState fold = PassState::screen(size.width, size.height);
        fold.blend = true;
        fold.blendFunction = {GL_CONSTANT_ALPHA, GL_ONE, GL_CONSTANT_ALPHA, GL_ONE};
        backend.setState(fold);
        glBlendColor(0.0f, 0.0f, 0.0f, glow::kLevelWeights[i + 1] / glow::kLevelWeights[i]);
        glBindFramebuffer(GL_FRAMEBUFFER, levels_[i][0].framebuffer());
        glBindTexture(GL_TEXTURE_2D, levels_[i + 1][0].colour());
        glUniform2f(filter_.at[Direction], 1.0f / static_cast<float>(size.width), 0.0f);
        drawTriangle();
    }

    // The blend, over every pixel of `into`.
    glBindFramebuffer(GL_FRAMEBUFFER, into);
    backend.setState(PassState::screen(intoSize.width, intoSize.height));
    use(shaders, "blend", blend_);
    glBindTexture(GL_TEXTURE_2D, scene);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, levels_[0][0].colour());
    drawTriangle();

    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
}
