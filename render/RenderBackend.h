#pragma once
// What differs between the two renderers: desktop OpenGL 3.3, with geometry
// stages, layered cube rendering and freeglut's text, and OpenGL ES 3.0 (--gles,
// and the browser's WebGL 2), with none of them. Start-up chooses one; from
// then on the passes that differ call it, and nothing else asks which it is.
// Every GL call that only one of the two has is made here, in its back end's
// file, and what the driver can do is asked once, into Capabilities.
#include <GL/glew.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"
#include "render/PassState.h"

class Engine;
class ParticleSystem;
struct ImDrawData;
namespace overlay {
struct Piece;
}

// What the context can do, asked of the driver once it is current
// (RenderBackend::capabilities, kept in the render state): the passes and
// toggles read this record, never the driver.
struct Capabilities {
    bool drawsLines = false;        // polygons drawn as lines (F3)
    bool floatTargets = false;      // drawing into floating-point colour targets (the glow)
    bool timesPasses = false;       // timing GL work by queries (the pass timer)
    bool copiesCubeImages = false;  // a whole cube copied by glCopyImageSubData, not blitted
    bool textThroughImGui = false;  // the overlay's text drawn by Dear ImGui, not freeglut
    int maxSamples = 1;             // GL_MAX_SAMPLES: msaa's most
    bool softwareRenderer = false;  // GL_RENDERER names one that runs on the CPU
};

// What both back ends ask alike: the samples and the renderer's kind.
void askSamplesAndRenderer(Capabilities& can);
// The renderer's name as its maker gives it: GL_RENDERER, or in a browser,
// which names every renderer "WebKit WebGL" there, the one behind it where the
// browser tells (BackendChoice.cpp, BackendChoiceWeb.cpp).
std::string rendererName();

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
    // The desktop's, or with `es` OpenGL ES 3.0's (BackendChoice.cpp; a
    // browser has ES alone, BackendChoiceWeb.cpp).
    static std::unique_ptr<RenderBackend> create(bool es);

    // --- Programs -----------------------------------------------------------
    // The GLSL its context takes, and the programs it builds from files of
    // its own in place of the system's table (app/Engine.cpp), by key.
    virtual graph::Dialect dialect() const = 0;
    virtual std::vector<ProgramFiles> ownPrograms() const = 0;

    // --- What the context can do --------------------------------------------
    // Asked of the driver once the context is current.
    virtual Capabilities capabilities() const = 0;
    // Polygons drawn as lines or filled (F3; only where drawsLines).
    virtual void drawLines(bool lines) const = 0;
    // The nanoseconds a finished GL_TIME_ELAPSED query measured (only where
    // timesPasses).
    virtual GLuint64 elapsedNanoseconds(GLuint query) const = 0;

    // The whole of `state`, at the start of a pass (RenderBackend.cpp): the
    // polygon mode through drawLines.
    void setState(const PassState& state) const;

    // --- Particles ----------------------------------------------------------
    // The scene's systems get their GPU buffers and programs (textures set).
    virtual void setUpParticles(const std::vector<ParticleSystem*>& systems,
                                graph::ProgramTable& shaders) = 0;
    // Their GPU buffers deleted, until setUpParticles runs again.
    virtual void releaseParticles() = 0;
    // One system by its index in that list: advanced by `seconds`, drawn.
    virtual void advanceParticles(size_t system, float seconds) = 0;
    virtual void drawParticles(size_t system) = 0;
    // What the overlay's counter shows for one system, once every system is
    // drawn: true in `waited` when reading it made the CPU wait for the GPU,
    // true in `pending` when there was a new count to read. `shown`: whether
    // anything shows the counts this frame; a back end whose draws need no
    // count reads nothing back while nothing does.
    virtual int readParticleCount(size_t system, bool shown, bool& pending, bool& waited) = 0;
    // The particles alive in one system, by its last count.
    virtual int particlesAlive(size_t system) const = 0;
    // The GPU memory the systems' particle buffers take, in bytes.
    virtual long long particleBufferBytes() const = 0;

    // --- Text and panel -----------------------------------------------------
    // The overlay's pieces (app/Overlay.h), white, over the bound framebuffer
    // of `width` x `height` pixels: freeglut's bitmap font on the desktop,
    // Dear ImGui's on ES (app/OverlayText.h).
    virtual void drawText(const std::vector<overlay::Piece>& pieces, unsigned width,
                          unsigned height) = 0;
    // Where textThroughImGui, the context the panel shares (app/UiContext.h)
    // is current when drawText is called, with the panel's renderer started.
    // Dear ImGui's renderer for this GL, in the current ImGui context: the
    // desktop's OpenGL 3 one, or its ES 3 build (render/ImGuiOpenGLES3.h).
    // Started once the context is made, stopped before it goes; a new frame
    // before each ImGui frame, then its draw data drawn over the bound
    // framebuffer.
    virtual void startPanelRenderer() = 0;
    virtual void newPanelFrame() = 0;
    virtual void renderPanel(ImDrawData* drawData) = 0;
    virtual void stopPanelRenderer() = 0;

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
    // All six faces of cube `from` into cube `to`, `size` texels square, by
    // image copy (only where copiesCubeImages; elsewhere a blit per face).
    virtual void copyCubeImages(GLuint from, GLuint to, GLsizei size) const = 0;
    // `draw(face, framebuffer)` fills a cube: once through `layered` (face -1,
    // all six) or once per face through `faces`, each cleared with `clear`
    // first (0: kept) at depth 1.
    virtual void drawShadowCube(GLuint layered, const GLuint faces[6], GLbitfield clear,
                                const std::function<void(int, GLuint)>& draw) const = 0;
};

// Whether the current context's driver lists `extension` (by glGetStringi,
// not GLEW's flags, which mark whatever has entry points).
bool driverLists(const char* extension);
