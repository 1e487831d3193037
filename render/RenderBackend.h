#pragma once
// What differs between the two renderers: desktop OpenGL 3.3, with geometry
// stages, layered cube rendering and freeglut's text, and OpenGL ES 3.0 (--gles,
// and the browser's WebGL 2), with none of them. Start-up chooses one; from
// then on the passes that differ call it, and nothing else asks which it is.
#include <GL/glew.h>

#include <functional>
#include <memory>
#include <vector>

#include "GraphicsEngine/Shader.h"

class Engine;
class ParticleSystem;
struct ImDrawData;

// One program of the system: its key, its files and their stages.
struct ProgramFiles {
    const char* key;
    const char* vertex;
    const char* geometry;  // null: two-stage program
    const char* fragment;
    graph::Stages stages;
    // With --unlit: the fragment stage of the floor under shading (the colour
    // texture only). Null: the same as without.
    const char* unlitFragment = nullptr;
};

class RenderBackend {
public:
    virtual ~RenderBackend() = default;
    // The desktop's, or with `es` OpenGL ES 3.0's.
    static std::unique_ptr<RenderBackend> create(bool es);

    // --- Programs -----------------------------------------------------------
    // The GLSL its context takes, and the programs whose sources differ
    // between the two: the shadow cube's and the particles'.
    virtual graph::Dialect dialect() const = 0;
    virtual std::vector<ProgramFiles> ownPrograms() const = 0;

    // --- Particles ----------------------------------------------------------
    // The scene's systems get their GPU buffers and programs (textures set).
    virtual void setUpParticles(const std::vector<ParticleSystem*>& systems,
                                graph::ProgramTable& shaders) = 0;
    // One system by its index in that list: advanced by `seconds`, drawn.
    virtual void advanceParticles(size_t system, float seconds) = 0;
    virtual void drawParticles(size_t system) = 0;
    // What the overlay's counter shows for one system, once every system is
    // drawn: true in `waited` when reading it made the CPU wait for the GPU,
    // true in `pending` when there was a new count to read.
    virtual int readParticleCount(size_t system, bool& pending, bool& waited) = 0;
    // The particles alive in one system, by its last count.
    virtual int particlesAlive(size_t system) const = 0;
    // The GPU memory the systems' particle buffers take, in bytes.
    virtual long long particleBufferBytes() const = 0;

    // --- Shadow cube --------------------------------------------------------
    // The shadow targets as the context takes them: `target`'s depth image
    // (the desktop's `internalFormat`; ES's sized 24-bit one), the sun map's
    // edge (depth 1 beyond it, or its edge texels where there is no border),
    // the cube texture's own filter (the shadow-cube box reads through it) and
    // a whole cube on the bound framebuffer (layered, or ES's first face).
    virtual void allocateShadowDepth(GLenum target, GLint internalFormat, GLsizei width,
                                     GLsizei height) const = 0;
    virtual void setShadowMapEdge() const = 0;
    virtual GLint shadowCubeFilter() const = 0;
    virtual void attachShadowCube(GLuint cube) const = 0;
    // Whether the static casters' cube may be copied by glCopyImageSubData
    // (where the driver has it) rather than blitted face by face.
    virtual bool copiesCubeImages() const = 0;
    // `draw(face, framebuffer)` fills a cube: once through `layered` (face -1,
    // all six) or once per face through `faces`, each cleared with `clear`
    // first (0: kept) at depth 1.
    virtual void drawShadowCube(GLuint layered, const GLuint faces[6], GLbitfield clear,
                                const std::function<void(int, GLuint)>& draw) const = 0;
};
