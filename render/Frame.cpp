// The frame's passes, once the objects have moved (Game::frame): the fire
// light's shadow cube, a depth pre-pass, sky, ground, the objects that survive
// culling (and the shadow-cube box when C shows it) and the particle systems,
// in that order, the particles at half size and laid over the scene. With the
// glow on, the scene passes draw into its floating-point target, else into
// the scene's own target where the render scale or the half-size particles
// ask for one; either ends in the display framebuffer, where the overlay and
// the panel follow. The frame clears what it draws into. Depth
// test and face culling stay enabled from start-up; blending is whatever the
// particles (or the F9 toggle) left. The pass timer measures while
// benchmarking and while the panel is open.
#include <vector>

#include "app/Game.h"
#include "game/Settings.h"
#include "game/Cuboid.h"
#include "game/Scene.h"
#include "game/SceneObject.h"
#include "particles/FireEmitters.h"
#include "particles/ParticleSystem.h"
#include "render/FrameRules.h"
#include "render/RenderScale.h"

void Game::renderFrame(double elapsed) {
    GpuPassTimer& timer = render.timer;
    const Settings& settings = scene->settings;
    const std::vector<game::SceneObject*>& objects = scene->objects;

    // Shadow cube of the fire light: the static casters' cube, copied, and
    // the moving casters on top.
    timer.begin(GpuPassTimer::ShadowCube);
    glCullFace(GL_BACK);  // nothing turns it, but the cube's faces rely on it
    engine.renderShadowCube(objects);
    timer.end();

    // The scene's size at the render scale; a target GL does not accept
    // draws the frame at the whole size. The particles drawn at half size
    // read the scene's depth, which only a target of its own (the glow's, or
    // the scaled one at any scale) offers as a texture.
    const std::vector<ParticleSystem*>& systems = scene->particleSystems;
    const bool halfSizeParticles = render.offscreenParticles.enabled && !systems.empty();
    const bool glowWanted = render.glowEnabled && render.caps.floatTargets;
    const unsigned width = engine.width, height = engine.height;
    renderscale::Size size = renderscale::scaledSize(width, height, render.scale.scale());
    bool scaled = size.width != static_cast<int>(width) ||
                  size.height != static_cast<int>(height) || (halfSizeParticles && !glowWanted);
    if (scaled && !engine.sizeScaledTarget(size.width, size.height)) {
        scaled = false;
        size = {static_cast<int>(width), static_cast<int>(height)};
    }
    const GLuint sceneDisplay =
        scaled ? render.scaledTarget.framebuffer : engine.displayFramebuffer();

    // The glow's targets follow the scene's size, checked every frame;
    // targets GL does not accept turn the glow off, and the demo goes on.
    bool glowing = false;
    if (render.glowEnabled && !render.caps.floatTargets) {
        render.glowEnabled = false;
        engine.showStatus("Glow: OFF, this driver draws into no floating-point targets");
    }
    if (render.glowEnabled) {
        timer.begin(GpuPassTimer::Glow);
        glowing = render.glow.begin(static_cast<unsigned>(size.width),
                                    static_cast<unsigned>(size.height));
        timer.end();
        if (!render.glow.failure().empty()) {
            render.glowEnabled = false;
            engine.showStatus("Glow: OFF, " + render.glow.failure());
        }
    }
    // Drawn straight into the display, the scene leaves its clear colour
    // showing (through the lines of F3, say); with the glow the blend covers it.
    if (!glowing) {
        glBindFramebuffer(GL_FRAMEBUFFER, sceneDisplay);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glViewport(0, 0, size.width, size.height);

    // With culling off the planes keep whatever they held.
    if (engine.cullingEnabled) engine.updateFrustum();
    engine.objectsDrawn = 0;

    // The objects that survive culling, decided once for both passes below.
    std::vector<game::SceneObject*> drawn;
    for (game::SceneObject* object : objects) {
        if (frame::shouldDraw(*object, engine.cullingEnabled, engine.frustumPlanes)) {
            drawn.push_back(object);
        }
    }

    // Depth pre-pass of exactly the objects drawn below, so that the lit
    // shading runs once per visible pixel: the ground, drawn first, is not
    // shaded under them. The ground needs none of its own: its rare overdraw
    // (a rise in front of the land behind) costs less than a second pass
    // over its triangles.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    for (game::SceneObject* object : drawn) object->drawDepth();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    timer.begin(GpuPassTimer::SkyBox);
    scene->drawSkybox();
    timer.end();
    // The objects meet their own pre-pass depths.
    glDepthFunc(GL_LEQUAL);
    timer.begin(GpuPassTimer::Ground);
    // The ground's model matrix is the identity.
    engine.renderLit(scene->groundMesh, engine.projectionMatrix * engine.viewMatrix,
                     glm::mat4(1.0f), nullptr);
    timer.end();

    timer.begin(GpuPassTimer::Objects);
    for (game::SceneObject* object : drawn) {
        object->draw();
        engine.objectsDrawn += 1;
    }
    timer.end();
    glDepthFunc(GL_LESS);

    // The shadow cube as a spinning box, a view for study: not an object of
    // the scene, so not counted. It spins only while shown.
    game::Cuboid* box = scene->cuboid;
    if (render.showShadowCube && box != nullptr) {
        box->setEngine(&engine);
        box->update(elapsed);
        box->draw();
    }

    // Every system is advanced and drawn, each from the GPU's own count of
    // what its update wrote, before any count is read: the first read waits
    // for the GPU, the others find their results ready, where reading each
    // count between its update and its draw waited 44 times a frame. The
    // CPU meanwhile feeds the draws instead of waiting. The systems come in
    // bundles of the fire's four kinds, in bundle order.
    RenderBackend& backend = *render.backend;
    timer.begin(GpuPassTimer::ParticleUpdate);
    for (size_t i = 0; i < systems.size(); ++i) {
        ParticleSystem* system = systems[i];
        const int kind = static_cast<int>(i % kParticleKinds);
        fire::tune(*system, kind, settings.particles[static_cast<size_t>(kind)]);
        system->setMatrices(engine.projectionMatrix, engine.cameraPosition,
                            engine.cameraPosition + 10.0f * engine.viewDirection, engine.cameraUp);
        // A frozen scene keeps its particles as they are.
        if (scene->clock.frameTime > 0.0f) backend.advanceParticles(i, scene->clock.frameTime);
    }
    timer.end();
    // At half size where the scene's depth is a texture, laid over the
    // scene afterwards; where that target fails, at the whole size as ever.
    timer.begin(GpuPassTimer::ParticleDraw);
    const GLuint sceneFramebuffer = glowing ? render.glow.sceneFramebuffer() : sceneDisplay;
    const GLuint sceneDepth =
        glowing ? render.glow.sceneDepth() : (scaled ? render.scaledTarget.depth : 0);
    const bool halfSize =
        halfSizeParticles && render.offscreenParticles.begin(engine.shaders, sceneDepth,
                                                            size.width, size.height, glowing);
    if (halfSizeParticles && !halfSize) {
        glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
        glViewport(0, 0, size.width, size.height);
    }
    for (size_t i = 0; i < systems.size(); ++i) backend.drawParticles(i);
    if (halfSize) {
        const GLuint sceneColour = glowing ? render.glow.sceneTexture() : render.scaledTarget.colour;
        render.offscreenParticles.composite(engine.shaders, sceneColour, sceneDepth, size.width,
                                            size.height);
    }
    timer.end();
    timer.beginReads();
    engine.particlesCounted = 0;
    int reads = 0, waited = 0;
    // Read back only while the counter, the panel or --stats shows the counts.
    const bool shown =
        engine.showParticleCount || session.panelOpen || session.options.statsEvery > 0;
    for (size_t i = 0; i < systems.size(); ++i) {
        bool pending = false, waitedHere = false;
        engine.particlesCounted += backend.readParticleCount(i, shown, pending, waitedHere);
        reads += pending ? 1 : 0;
        waited += waitedHere ? 1 : 0;
    }
    timer.endReads(reads, waited);

    if (glowing) {
        timer.begin(GpuPassTimer::Glow);
        render.glow.tuning = settings.glow;
        // The particles leave blending off after their draws; without any, F9's state stands.
        const bool blending = engine.transparencyEnabled && scene->particleSystems.empty();
        render.glow.finish(engine.shaders, *render.backend,
                           {sceneDisplay, engine.wireframe, blending});
        timer.end();
    }
    if (scaled) engine.upscaleScene();
}
