// The frame's shadow cube of the fire light: a copy of the static casters'
// cube with the moving casters drawn on top. The light never moves and of the
// casters only the turning structure does, so the ground and the rest are
// drawn once, not every frame (render/ShadowCubeRules.h says when again).
#include <utility>
#include <vector>

#include "app/Engine.h"
#include "game/Scene.h"
#include "game/SceneObject.h"
#include "render/FrameRules.h"
#include "render/RenderState.h"

namespace {

// This frame's casters split into static and moving, and what the static
// cube holds when drawn from them.
struct Casters {
    shadowcube::Contents contents;
    std::vector<game::SceneObject*> statics, moving;
};

Casters castersOf(const Engine& engine, const std::vector<game::SceneObject*>& objects) {
    Casters casters;
    shadowcube::Contents& contents = casters.contents;
    contents.castersOn = engine.render->shadowCasters;
    if (!contents.castersOn) return casters;
    const auto program = engine.shaders.find("shadowOmni");
    if (program != engine.shaders.end() && program->second) {
        contents.programGeneration = program->second->generation;
    }
    const Scene& scene = *engine.scene;
    contents.light = scene.pointLights != nullptr ? scene.pointLights[0].Position
                                                  : PointLight().Position;
    for (game::SceneObject* object : objects) {
        if (!frame::isActive(*object)) continue;
        const game::ShadowCasting casting = object->shadowCasting();
        if (!casting.casts) continue;
        if (shadowcube::isStatic(casting, engine.render->staticShadowCube.wasSeenMoving(object))) {
            contents.statics.push_back({object, casting.model});
            casters.statics.push_back(object);
        } else {
            casters.moving.push_back(object);
        }
    }
    contents.statics.push_back({&scene.groundMesh, glm::mat4(1.0f)});
    return casters;
}

}  // namespace

void Engine::renderShadowCube(const std::vector<game::SceneObject*>& objects) {
    StaticShadowCube& cube = render->staticShadowCube;
    Casters casters = castersOf(*this, objects);
    if (cube.filled && casters.contents.castersOn) {
        // A caster drawn as static has moved: from now on it is drawn with the
        // moving ones, and the static cube is drawn again without it.
        const std::vector<const void*> moved =
            shadowcube::movedSinceFill(*cube.filled, casters.contents);
        if (!moved.empty()) {
            cube.seenMoving.insert(cube.seenMoving.end(), moved.begin(), moved.end());
            casters = castersOf(*this, objects);
        }
    }

    glViewport(0, 0, shadowCubeWidth, shadowCubeHeight);
    const RenderBackend& backend = *render->backend;
    const shadowcube::Step step =
        shadowcube::nextStep(cube.filled ? &*cube.filled : nullptr, casters.contents);
    if (step == shadowcube::Step::Clear) {
        cube.draw(backend, false, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, [] {});
    } else {
        if (step == shadowcube::Step::Refill) {
            cube.draw(backend, true, GL_DEPTH_BUFFER_BIT, [&] {
                for (game::SceneObject* object : casters.statics) object->drawOmniShadow();
                // Hand the cube's clear and the objects' depths to the
                // rasteriser now: a software renderer fills them while this
                // thread runs the ground's geometry stage, the longest
                // stretch of the fill.
                glFlush();
                renderOmniShadow(scene->groundMesh, glm::mat4(1.0f));
            });
            cube.fills += 1;
        }
        cube.copyToFrameCube(backend);
        cube.draw(backend, false, 0, [&] {
            for (game::SceneObject* object : casters.moving) object->drawOmniShadow();
        });
    }
    cube.filled = std::move(casters.contents);
    glBindFramebuffer(GL_FRAMEBUFFER, displayFramebuffer());
}
