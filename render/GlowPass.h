#pragma once
// The glow around the fire: the frame's scene passes draw into a
// floating-point target of the framebuffer's size, so that additive flames
// add up past 1; a bright pass at a quarter of the size and a separable blur
// over three smaller levels make the halo, and the blend adds it back onto the
// scene through exposure and the tone curve (BlendShader.frag) into the
// display framebuffer.
#include <GL/glew.h>

#include <string>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/UniformLocations.h"
#include "game/Settings.h"
#include "render/GlowRules.h"
#include "render/ScreenTriangle.h"

class RenderBackend;

class GlowPass {
public:
    // The values the settings panel and files tune.
    GlowSettings tuning;

    // What the frame knows of where the glow ends and of the state to leave
    // there, so that the pass asks GL for none of it.
    struct Display {
        GLuint framebuffer = 0;
        bool wireframe = false;  // polygons drawn as lines (F3)
        bool blending = false;   // blending on when the glow starts its passes
    };

    // Sizes the targets for a framebuffer of width x height (again whenever
    // that size changes), then binds the scene target and clears it. False,
    // with nothing bound, for a framebuffer of no size or targets that GL
    // does not accept (then `failure` says why).
    bool begin(unsigned width, unsigned height);
    // Empty while the targets are complete.
    const std::string& failure() const { return failure_; }

    // Where the scene passes draw while glowing.
    GLuint sceneFramebuffer() const { return sceneFramebuffer_; }
    GLuint sceneTexture() const { return sceneTexture_; }
    GLuint sceneDepth() const { return sceneDepth_; }
    GLuint levelTexture(int level) const { return levels_[level].texture[0]; }

    // Bright pass, blur and blend into the display framebuffer, which it
    // leaves bound with the viewport over all of it and its depth cleared (the
    // blend covers every pixel's colour). Blending, depth test and the polygon
    // mode are as the display says; the blend function is start-up's; vertex
    // array 0 and texture unit 0 are bound.
    void finish(const graph::ProgramTable& shaders, const RenderBackend& backend,
                const Display& display);
    // Every target deleted: the next begin makes them again. The tuning stays.
    void release();

private:
    struct Level {
        glow::Size size;
        GLuint texture[2] = {0, 0};  // the level, and the horizontal half of its blur
        GLuint framebuffer[2] = {0, 0};
    };
    // A program's uniform locations, looked up again (and its constant
    // uniforms set) whenever the program behind its key is another build;
    // the tuned uniforms are set again whenever the tuning changes.
    struct Program {
        Program();
        graph::UniformLocations at;
        GlowSettings tuned;  // the values its uniforms hold
    };

    void create();
    void allocate(unsigned width, unsigned height);
    std::string incompleteTarget() const;
    void use(const graph::ProgramTable& shaders, const char* key, Program& bound);

    unsigned width_ = 0, height_ = 0;
    std::string failure_;
    GLuint sceneTexture_ = 0, sceneDepth_ = 0, sceneFramebuffer_ = 0;
    glow::Size brightSize_;
    GLuint brightTexture_ = 0, brightFramebuffer_ = 0;
    Level levels_[glow::kLevels];
    ScreenTriangle triangle_;
    Program threshold_, filter_, blend_;
};
