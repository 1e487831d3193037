#include "render/FramePasses.h"

#include "app/Game.h"
#include "game/Cuboid.h"
#include "game/Scene.h"
#include "game/SceneObject.h"
#include "particles/FireEmitters.h"
#include "particles/ParticleSystem.h"
#include "render/FrameRules.h"

namespace frame {

namespace {

renderscale::Size sizeOf(const Work& w, Target target) {
    const Engine& engine = w.game.engine;
    if (target == Target::Display) {
        return {static_cast<int>(engine.width), static_cast<int>(engine.height)};
    }
    const graph::TargetDescription& d = w.plan.target(target);
    return {d.width, d.height};
}

// Binds the step's target (`colourOnly`: its colour alone, for a pass that
// reads its depth meanwhile) and sets `state` with the viewport over all of it.
void begin(Work& w, const Step& step, PassState state, bool colourOnly = false) {
    RenderState& render = w.game.render;
    const renderscale::Size size = sizeOf(w, step.into);
    state.viewportWidth = size.width;
    state.viewportHeight = size.height;
    glBindFramebuffer(GL_FRAMEBUFFER,
                      colourOnly ? render.targets[step.into].colourOnlyFramebuffer()
                                 : render.targets.framebuffer(step.into,
                                                              w.game.engine.displayFramebuffer()));
    render.backend->setState(state);
}

// The scene's geometry: blending as F9 and the particles left it (start-up
// and F9's press switch it on, each particle pass off), lines with F3.
PassState sceneState(const Work& w, const Step& step, GLenum depthFunction = GL_LESS) {
    PassState state;
    state.blend = w.game.render.sceneBlending;
    state.depthFunction = depthFunction;
    state.lines = step.lines;
    return state;
}

// The display's depth cleared: the overlay's text and the panel start afresh.
void clearDisplayDepth(Work& w) {
    const Engine& engine = w.game.engine;
    PassState state = PassState::screen(static_cast<int>(engine.width),
                                        static_cast<int>(engine.height));
    state.depthWrite = true;
    glBindFramebuffer(GL_FRAMEBUFFER, engine.displayFramebuffer());
    w.game.render.backend->setState(state);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void shadowCube(Work& w, const Step& step) {
    Engine& engine = w.game.engine;
    PassState state = sceneState(w, step);
    state.blend = false;
    state.viewportWidth = engine.shadowCubeWidth;
    state.viewportHeight = engine.shadowCubeHeight;
    w.game.render.backend->setState(state);
    engine.renderShadowCube(w.game.scene->objects);
}

void clear(Work& w, const Step& step) {
    begin(w, step, PassState());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The objects that survive culling, decided here once for this pass and the
// objects' (with culling off the planes keep whatever they held). Their
// depths first, so that the lit shading runs once per visible pixel: the
// ground, drawn first, is not shaded under them. The ground needs none of
// its own: its rare overdraw costs less than a second pass over it.
void depthPrePass(Work& w, const Step& step) {
    Engine& engine = w.game.engine;
    std::vector<game::SceneObject*>& drawn = w.game.render.drawnObjects;
    if (engine.cullingEnabled) engine.updateFrustum();
    drawn.clear();
    for (game::SceneObject* object : w.game.scene->objects) {
        if (shouldDraw(*object, engine.cullingEnabled, engine.frustumPlanes)) {
            drawn.push_back(object);
        }
    }
    PassState state = sceneState(w, step);
    state.colourWrite = false;
    begin(w, step, state);
    for (game::SceneObject* object : drawn) object->drawDepth();
}

void sky(Work& w, const Step& step) {
    begin(w, step, sceneState(w, step));
    w.game.scene->drawSkybox();
}

// The ground and the objects meet their own pre-pass depths.
void ground(Work& w, const Step& step) {
    Engine& engine = w.game.engine;
    begin(w, step, sceneState(w, step, GL_LEQUAL));
    // The ground's model matrix is the identity.
    engine.renderLit(w.game.scene->groundMesh, engine.projectionMatrix * engine.viewMatrix,
                     glm::mat4(1.0f), nullptr);
}

void objects(Work& w, const Step& step) {
    Engine& engine = w.game.engine;
    begin(w, step, sceneState(w, step, GL_LEQUAL));
    engine.objectsDrawn = 0;
    for (game::SceneObject* object : w.game.render.drawnObjects) {
        object->draw();
        engine.objectsDrawn += 1;
    }
}

// The shadow cube as a spinning box, a view for study: not an object of the
// scene, so not counted. It spins only while shown.
void box(Work& w, const Step& step) {
    game::Cuboid* cuboid = w.game.scene->cuboid;
    if (cuboid == nullptr) return;
    begin(w, step, sceneState(w, step));
    cuboid->setEngine(&w.game.engine);
    cuboid->update(w.elapsed);
    cuboid->draw();
}

// Every system advanced by the scene clock (a frozen scene keeps its
// particles as they are), in bundles of the fire's four kinds. Transform
// feedback, with the rasteriser off: no target, no state.
void particleUpdate(Work& w, const Step&) {
    Engine& engine = w.game.engine;
    Scene& scene = *w.game.scene;
    RenderBackend& backend = *w.game.render.backend;
    const std::vector<ParticleSystem*>& systems = scene.particleSystems;
    for (size_t i = 0; i < systems.size(); ++i) {
        const int kind = static_cast<int>(i % kParticleKinds);
        fire::tune(*systems[i], kind, scene.settings.particles[static_cast<size_t>(kind)]);
        systems[i]->setMatrices(engine.projectionMatrix, engine.cameraPosition,
                                engine.cameraPosition + 10.0f * engine.viewDirection,
                                engine.cameraUp);
        if (scene.clock.frameTime > 0.0f) backend.advanceParticles(i, scene.clock.frameTime);
    }
}

// The half-size target's depths, by a pass over it that every pixel passes.
void halfDepth(Work& w, const Step& step) {
    PassState state = PassState::screen(0, 0);
    state.depthTest = state.depthWrite = true;
    state.depthFunction = GL_ALWAYS;
    state.colourWrite = false;
    begin(w, step, state);
    const renderscale::Size scene = sizeOf(w, Target::Scene);
    w.game.render.offscreenParticles.writeHalfDepth(
        w.game.engine.shaders, w.game.render.targets[Target::Scene].depth(), scene.width,
        scene.height);
}

// Every system drawn, each from the GPU's own count of what its update
// wrote, before any count is read: the first read waits for the GPU, the
// others find their results ready. Depth tested, not written (the sprites
// are unsorted); each system blends by its kind, and ends its draw with
// blending off and depth written again. Soft sprites read the scene's depth
// to fade before it; at the whole size that depth is the scene target's
// own, so they draw through its colour alone and test the depth themselves.
void particles(Work& w, const Step& step) {
    RenderState& render = w.game.render;
    const bool soft = step.readsFrom(Target::Scene);
    const bool ownTest = soft && step.into == Target::Scene;
    PassState state;
    state.blend = true;
    state.depthTest = !ownTest;
    state.depthWrite = false;
    state.lines = step.lines;
    begin(w, step, state, ownTest);
    if (step.into == Target::HalfParticles) {
        const GLfloat nothing[] = {0.0f, 0.0f, 0.0f, 0.0f};
        glClearBufferfv(GL_COLOR, 0, nothing);  // the layer starts empty, depths kept
    }
    // This target's pixels to the scene depth's (a half-size layer's are two
    // across); only soft sprites read it, and only a planned target of a size.
    glm::vec2 depthScale(1.0f);
    if (soft) {
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, render.targets[Target::Scene].depth());
        const renderscale::Size into = sizeOf(w, step.into), scene = sizeOf(w, Target::Scene);
        depthScale = glm::vec2(static_cast<float>(scene.width) / static_cast<float>(into.width),
                               static_cast<float>(scene.height) / static_cast<float>(into.height));
    }
    std::vector<ParticleSystem*>& systems = w.game.scene->particleSystems;
    for (size_t i = 0; i < systems.size(); ++i) {
        systems[i]->soft = soft;
        systems[i]->depthScale = depthScale;
        render.backend->drawParticles(i);
    }
    if (soft) {
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
    }
    render.sceneBlending = false;
}

// Through a framebuffer of the scene's colour alone: the scene's depth is
// read meanwhile.
void composite(Work& w, const Step& step) {
    RenderState& render = w.game.render;
    PassState state = PassState::screen(0, 0);
    state.blend = true;
    state.blendFunction = offscreen::kComposite;
    begin(w, step, state, true);
    graph::RenderTarget& half = render.targets[Target::HalfParticles];
    render.offscreenParticles.composite(w.game.engine.shaders, half.colour(), half.depth(),
                                        render.targets[Target::Scene].depth());
}

// Read back only while the counter, the panel or --stats shows the counts.
void particleCounts(Work& w, const Step&) {
    Engine& engine = w.game.engine;
    RenderState& render = w.game.render;
    const Session& session = w.game.session;
    const bool shown =
        engine.showParticleCount || session.panelOpen || session.options.statsEvery > 0;
    render.timer.beginReads();
    engine.particlesCounted = 0;
    int reads = 0, waited = 0;
    for (size_t i = 0; i < w.game.scene->particleSystems.size(); ++i) {
        bool pending = false, waitedHere = false;
        engine.particlesCounted +=
            render.backend->readParticleCount(i, shown, pending, waitedHere);
        reads += pending ? 1 : 0;
        waited += waitedHere ? 1 : 0;
    }
    render.timer.endReads(reads, waited);
}

void glow(Work& w, const Step& step) {
    RenderState& render = w.game.render;
    Engine& engine = w.game.engine;
    if (step.into == Target::Display) clearDisplayDepth(w);
    render.glow.tuning = w.game.scene->settings.glow;
    const renderscale::Size size = sizeOf(w, step.into);
    render.glow.draw(engine.shaders, *render.backend, render.targets[Target::Scene].colour(),
                     render.targets.framebuffer(step.into, engine.displayFramebuffer()),
                     {size.width, size.height});
}

// The picture that the steps into the display or the final target take:
// the glow's, where it ran at the scene's size, or the scene's.
Target pictureRead(const Step& step) {
    return step.readsFrom(Target::Glowed) ? Target::Glowed : Target::Scene;
}

// A blit: GL 3.3, ES 3.0 and WebGL 2 all filter it, and no program or vertex
// array is touched. A copy at a render scale of 1; below it (where asked for
// in place of the upscale) bilinear, so the enlarged scene keeps no blocks.
// Into the display, or the final target that the post filter reads.
void toDisplay(Work& w, const Step& step) {
    const Target from = pictureRead(step);
    const renderscale::Size source = sizeOf(w, from), into = sizeOf(w, step.into);
    FrameTargets& targets = w.game.render.targets;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets[from].framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER,
                      targets.framebuffer(step.into, w.game.engine.displayFramebuffer()));
    glBlitFramebuffer(0, 0, source.width, source.height, 0, 0, into.width, into.height,
                      GL_COLOR_BUFFER_BIT, GL_LINEAR);
    if (step.into == Target::Display) clearDisplayDepth(w);
}

// Through the upscale's program, into the display or the final target; the
// picture's colour is read by texel, so its filtering does not matter.
void upscale(Work& w, const Step& step) {
    RenderState& render = w.game.render;
    const Target from = pictureRead(step);
    const renderscale::Size source = sizeOf(w, from), into = sizeOf(w, step.into);
    begin(w, step, PassState::screen(0, 0));
    render.pictureFilter.scaleUp(w.game.engine.shaders, render.targets[from].colour(),
                                 source.width, source.height, into.width, into.height);
    if (step.into == Target::Display) clearDisplayDepth(w);
}

// The samples averaged by a blit (ES 3.0 and WebGL 2 have no multisampled
// textures to read), depth too where the particles test against it: a depth
// blit takes one sample of each pixel, and needs the nearest filter.
void resolve(Work& w, const Step& step) {
    FrameTargets& targets = w.game.render.targets;
    const renderscale::Size size = sizeOf(w, step.into);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, targets[Target::Multisampled].framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, targets[step.into].framebuffer());
    const GLbitfield images =
        GL_COLOR_BUFFER_BIT | (w.plan.resolveDepth ? GL_DEPTH_BUFFER_BIT : 0u);
    glBlitFramebuffer(0, 0, size.width, size.height, 0, 0, size.width, size.height, images,
                      GL_NEAREST);
}

// The finished picture filtered into the display, where the text and the
// panel then draw unfiltered.
void postFilter(Work& w, const Step& step) {
    RenderState& render = w.game.render;
    const Target from = step.readsFrom(Target::Final) ? Target::Final : Target::Scene;
    begin(w, step, PassState::screen(0, 0));
    render.pictureFilter.smoothEdges(w.game.engine.shaders, render.targets[from].colour());
    clearDisplayDepth(w);
}

struct Entry {
    void (*run)(Work&, const Step&);
    int timed;  // the GpuPassTimer's pass, or -1
};

// By Pass, in its order.
const Entry kEntries[kPasses] = {
    {shadowCube, GpuPassTimer::ShadowCube},   {clear, -1},
    {depthPrePass, -1},                       {sky, GpuPassTimer::SkyBox},
    {ground, GpuPassTimer::Ground},           {objects, GpuPassTimer::Objects},
    {box, -1},                                {resolve, -1},
    {particleUpdate, GpuPassTimer::ParticleUpdate},
    {halfDepth, GpuPassTimer::ParticleDraw},  {particles, GpuPassTimer::ParticleDraw},
    {composite, GpuPassTimer::ParticleDraw},  {particleCounts, -1},
    {glow, GpuPassTimer::Glow},               {toDisplay, GpuPassTimer::Picture},
    {upscale, GpuPassTimer::Picture},         {postFilter, GpuPassTimer::Picture},
};

}  // namespace

void run(Work& work, const Step& step) {
    const Entry& entry = kEntries[static_cast<int>(step.pass)];
    GpuPassTimer& timer = work.game.render.timer;
    if (entry.timed >= 0) timer.begin(static_cast<GpuPassTimer::Pass>(entry.timed));
    entry.run(work, step);
    if (entry.timed >= 0) timer.end();
}

}  // namespace frame
