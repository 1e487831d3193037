#pragma once
#include <GL/glew.h>

#include "GraphicsEngine/UniformLocations.h"
#include "particles/ParticleMath.h"

class ParticleSystem;

// What both particle paths hand the GL for one system, read from the system
// they serve: the update program's generator and bursts (the rule that
// PSEmission.glsl applies), and the render program's sprites (the look that
// PSSprite.glsl gives them) with their blend state. One table and one upload
// each, so that the desktop update (ParticleSystem) and OpenGL ES's pool
// (ParticleRing) cannot drift apart.
class ParticleUniforms {
public:
    // `sampler` names the sprite sheet's uniform: "texture" on the desktop;
    // ES, where texture is a built-in function, says "spriteTexture".
    explicit ParticleUniforms(const char* sampler);

    // Follow the program's current build; true when it is linked.
    bool followUpdate(const graph::Shader& program);
    bool followSprites(const graph::Shader& program);
    // Newborn per burst: the system's count, at most kMaxEmitted.
    static int perBurst(const ParticleSystem& system);

    // On the update program in use: the generator, the frame's time and the
    // plan's bursts, each with a seed of three draws of the shared sequence,
    // drawn burst by burst. With no burst due, "particleCount" is 0 and the
    // seeds stay as they were.
    void setUpdate(const ParticleSystem& system, float timePassed,
                   const particles::EmissionPlan& plan) const;
    // On the render program in use: matrices, billboard axes, sprite sheet,
    // fade and soft fade (the scene's depth read from unit 1); then the
    // blending of the system's kind (0 additive, 1 alpha blending, any other
    // the function in force), depth tested but not written, and the sheet
    // bound to unit 0.
    void setSprites(const ParticleSystem& system) const;
    // After the sprites' draw: no blending, depth written again.
    static void endSprites();

private:
    graph::UniformLocations update_;
    graph::UniformLocations sprites_;
};
