#pragma once
// The glow around the fire: the frame's scene passes draw into a
// floating-point target of the framebuffer's size, so that additive flames
// add up past 1; a bright pass at a quarter of the size and a separable blur
// over three smaller levels make the halo, and the blend adds it back onto the scene through exposure
// and the tone curve (render/GlowRules.h) into the display framebuffer.
#include <GL/glew.h>

#include "GraphicsEngine/Shader.h"
#include "render/GlowRules.h"

class GlowPass {
public:
    // Sizes the targets for a framebuffer of width x height (again whenever
    // that size changes), then binds the scene target and clears it. False,
    // with nothing bound, for a framebuffer of no size.
    bool begin(unsigned width, unsigned height);

    // Where the scene passes draw while glowing.
    GLuint sceneFramebuffer() const { return sceneFramebuffer_; }
    GLuint sceneTexture() const { return sceneTexture_; }
    GLuint levelTexture(int level) const { return levels_[level].texture[0]; }

    // Bright pass, blur and blend into `display`, which it leaves bound with
    // the viewport over all of it. Blending, depth test and the polygon mode
    // are as they were before; vertex array 0 and texture unit 0 are bound.
    void finish(const graph::ProgramTable& shaders, GLuint display, bool wireframe);

    // Deletes every GL object; the next begin makes them again.
    void release();

private:
    struct Level {
        glow::Size size;
        GLuint texture[2] = {0, 0};  // the level, and the horizontal half of its blur
        GLuint framebuffer[2] = {0, 0};
    };

    void create();
    void allocate(unsigned width, unsigned height);
    void drawTriangle(GLuint program);

    unsigned width_ = 0, height_ = 0;
    GLuint sceneTexture_ = 0, sceneDepth_ = 0, sceneFramebuffer_ = 0;
    glow::Size brightSize_;
    GLuint brightTexture_ = 0, brightFramebuffer_ = 0;
    Level levels_[glow::kLevels];
    GLuint vao_ = 0, vertexBuffer_ = 0;
};
