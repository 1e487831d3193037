// The frame's passes, once the objects have moved (Game::frame), as the
// frame's plan lays them out (render/FramePlan.h): the fire light's shadow
// cube, the scene's passes into the scene's target (or the display), the
// particles (at half size, laid over the scene), the glow, and the scene
// brought to the display, where the overlay and the panel follow. Each pass
// sets the state it draws with (render/FramePasses.cpp).
#include "app/Game.h"
#include "game/Scene.h"
#include "render/FramePasses.h"

namespace {

// The plan whose targets GL accepts. A target refused while glowing turns
// the glow off, with one line; any other is drawn without, this frame (a
// refused multisampled or final target: without anti-aliasing).
frame::Plan acceptedPlan(Game& game, frame::Inputs inputs) {
    RenderState& render = game.render;
    if (render.glowEnabled && !render.caps.floatTargets) {
        render.glowEnabled = false;
        game.engine.showStatus("Glow: OFF, this driver draws into no floating-point targets");
    }
    for (;;) {
        inputs.glow = render.glowEnabled;
        const frame::Plan plan = frame::plan(inputs);
        frame::Target refused = frame::Target::None;
        std::string failure;
        if (!render.targets.make(plan, refused)) {
            failure = render.targets[refused].failure();
        } else if (plan.glow && !render.glow.makeTargets(plan.sceneSize.width,
                                                         plan.sceneSize.height)) {
            failure = render.glow.failure();
        } else {
            return plan;
        }
        if (refused == frame::Target::Multisampled) {
            inputs.multisampledRefused = true;
        } else if (refused == frame::Target::Final) {
            inputs.finalRefused = true;
        } else if (inputs.glow && refused != frame::Target::HalfParticles) {
            render.glowEnabled = false;
            game.engine.showStatus("Glow: OFF, " + failure);
        } else if (refused == frame::Target::HalfParticles) {
            inputs.halfRefused = true;
        } else {
            inputs.sceneRefused = true;
        }
    }
}

}  // namespace

void Game::renderFrame(double elapsed) {
    frame::Inputs inputs;
    inputs.width = engine.width;
    inputs.height = engine.height;
    inputs.renderScale = render.scale.scale();
    inputs.particles = !scene->particleSystems.empty();
    inputs.halfSizeParticles = render.offscreenParticles.enabled;
    inputs.softParticles = render.softParticles;
    inputs.box = render.showShadowCube && scene->cuboid != nullptr;
    inputs.wireframe = engine.wireframe && render.caps.drawsLines;
    inputs.antialias = antialias::chosen(scene->settings.picture.antialias, render.defaultAntialias);
    inputs.samples = antialias::samples(render.msaaSamples, render.caps.maxSamples);
    inputs.bilinearUpscale = render.bilinearUpscale;
    const frame::Plan plan = acceptedPlan(*this, inputs);
    render.antialias = plan.antialias;

    frame::Work work{*this, plan, elapsed};
    for (const frame::Step& step : plan) frame::run(work, step);
}
