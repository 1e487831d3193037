#pragma once
// The glow around the fire: the frame's scene passes draw into a
// floating-point target (render/FramePlan.h), so that additive flames add up
// past 1; a bright pass at a quarter of its size and a separable blur over
// three smaller levels make the halo, and the blend adds it back onto the
// scene through exposure and the tone curve (BlendShader.frag).
#include <GL/glew.h>

#include <string>

#include "GraphicsEngine/RenderTarget.h"
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

    // Its blur chain sized for a scene of width x height (again whenever that
    // size changes): false where GL does not accept a target (then `failure`
    // says which).
    bool makeTargets(int width, int height);
    // Empty while the targets are complete.
    const std::string& failure() const { return failure_; }
    GLuint levelTexture(int level) const { return levels_[level][0].colour(); }

    // Bright pass and blur from the scene's colour texture `scene`, then the
    // blend into `into` (a framebuffer of `into`'s size), each step setting
    // its own state. Leaves vertex array 0 and texture unit 0 bound.
    void draw(const graph::ProgramTable& shaders, const RenderBackend& backend, GLuint scene,
              GLuint into, glow::Size intoSize);
    // Every target deleted: the next makeTargets makes them again. The tuning stays.
    void release();

private:
    // A program's uniform locations, looked up again (and its constant
    // uniforms set) whenever the program behind its key is another build;
    // the tuned uniforms are set again whenever the tuning changes.
    struct Program {
        Program();
        graph::UniformLocations at;
        GlowSettings tuned;  // the values its uniforms hold
    };

    void use(const graph::ProgramTable& shaders, const char* key, Program& bound);

    glow::Size sceneSize_;
    std::string failure_;
    graph::RenderTarget bright_;
    // Each level, and the horizontal half of its blur.
    graph::RenderTarget levels_[glow::kLevels][2];
    ScreenTriangle triangle_;
    Program threshold_, filter_, blend_;
};
