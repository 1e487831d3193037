#pragma once
// A framebuffer and the images drawn into it, made from a description: its
// size, its colour's format, its depth as a texture (read by later passes) or
// a renderbuffer, and its samples. Every target a frame draws into besides
// the shadow targets is one of these; a new description remakes the images,
// and a target GL refuses says so instead of drawing nowhere.
#include <GL/glew.h>

#include <string>

namespace graph {

enum class ColourFormat { None, Rgba8, Rgba16f };
enum class DepthImage { None, Texture, Renderbuffer };

struct TargetDescription {
    int width = 0, height = 0;
    ColourFormat colour = ColourFormat::Rgba8;
    DepthImage depth = DepthImage::None;
    // Above 1: multisampled colour and depth, as renderbuffers (OpenGL ES 3.0
    // has no multisampled textures); resolved by a blit into a target of 1,
    // depth too where it is described as a texture.
    int samples = 1;

    bool operator==(const TargetDescription& other) const {
        return width == other.width && height == other.height && colour == other.colour &&
               depth == other.depth && samples == other.samples;
    }
    bool operator!=(const TargetDescription& other) const { return !(*this == other); }
};

class RenderTarget {
public:
    RenderTarget() = default;
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // Made, or remade whenever `description` differs from the last: true
    // where GL accepts it. `name` says which target a refusal names.
    // Leaves no framebuffer and no texture bound.
    bool make(const TargetDescription& description, const char* name);
    bool complete() const { return framebuffer_ != 0 && failure_.empty(); }
    // Why GL refused the last description ("the scene target is incomplete
    // (0x8CD6)"), or "" while it is complete.
    const std::string& failure() const { return failure_; }
    const TargetDescription& description() const { return description_; }

    GLuint framebuffer() const { return framebuffer_; }
    // Textures (0 where the description keeps the image in a renderbuffer):
    // colour bilinear, depth nearest, both clamped to the edge.
    GLuint colour() const { return colourTexture_; }
    GLuint depth() const { return depthTexture_; }
    // A framebuffer of the colour texture alone, for a pass that draws into
    // the colour while it reads the depth: a browser refuses a draw into a
    // framebuffer whose attachment a texture unit reads.
    GLuint colourOnlyFramebuffer();

    // Every object deleted; the next make starts afresh.
    void release();

private:
    TargetDescription description_;
    std::string failure_;
    GLuint framebuffer_ = 0, colourOnly_ = 0;
    GLuint colourTexture_ = 0, depthTexture_ = 0;
    GLuint colourBuffer_ = 0, depthBuffer_ = 0;
};

}  // namespace graph
