#include "particles/FireEmitters.h"

#include "game/Scene.h"
#include "particles/ParticleSystem.h"

namespace fire {

// Sparks fly fast and fall; smoke rises slowly and is the one alpha-blended
// layer; the two flame layers are short-lived animated sheets.
const std::array<EmitterSettings, 4> kBundle = {{
    {"particle.tga", true, {-4.0f, 0.0f, -4.0f}, {4.0f, 8.0f, 4.0f}, {0.0f, -4.0f, 0.0f},
     1, 1, 1, 1, 1.0f, 0, 0.0f, {1.0f, 0.75f, 0.25f}, 1.0f, 0.03f},
    {"smoke45_alpha.tga", false, {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}, {0.1f, 0.8f, 0.1f},
     1, 7, 7, 46, 1.0f, 1, 0.025f, {0.25f, 0.25f, 0.25f}, 0.45f, 0.4f},
    {"flames3.tga", false, {-1.0f, 2.0f, -1.0f}, {1.0f, 4.0f, 1.0f}, {0.0f, 0.15f, 0.0f},
     2, 6, 6, 36, 0.25f, 0, 0.1f, {1.0f, 1.0f, 1.0f}, 0.5f, 0.1f},
    {"flames2.tga", false, {-0.6f, 0.0f, -0.6f}, {0.6f, 2.0f, 0.6f}, {0.0f, 0.15f, 0.0f},
     2, 4, 4, 16, 1.0f, 0, 0.15f, {1.0f, 1.0f, 1.0f}, 0.75f, 0.08f},
}};

void tune(ParticleSystem& system, int kind, const ParticleSettings& tuned) {
    const EmitterSettings& base = kBundle[static_cast<size_t>(kind)];
    const glm::vec3 middle = 0.5f * (base.velocityMin + base.velocityMax);
    const glm::vec3 spread(tuned.spread, 1.0f, tuned.spread);
    const glm::vec3 low = tuned.speed * (middle + (base.velocityMin - middle) * spread);
    const glm::vec3 high = tuned.speed * (middle + (base.velocityMax - middle) * spread);
    system.genVelocity_Min = low;
    system.genVelocity_Range = high - low;
    system.genGravity = base.gravity + glm::vec3(tuned.wind.x, 0.0f, tuned.wind.y);
    system.genLifetime_Min = tuned.life.x;
    system.genLifetime_Range = tuned.life.y - tuned.life.x;
    system.genSize_Min = tuned.size.x;
    system.genSize_Range = tuned.size.y - tuned.size.x;
    system.generationInterval = tuned.interval;
}

}  // namespace fire

void Scene::addFireEmitters(const glm::vec3& first, const glm::vec3& second) {
    for (size_t kind = 0; kind < fire::kBundle.size(); ++kind) {
        const fire::EmitterSettings& s = fire::kBundle[kind];
        const ParticleSettings& t = settings.particles[kind];
        ParticleSystem* system = new ParticleSystem();
        if (s.shortForm) {
            system->setGeneratorProperties(first, second, s.velocityMin, s.velocityMax, s.gravity,
                                           t.life.x, t.life.y, t.size.x, t.size.y, t.interval,
                                           s.color, s.alpha);
        } else {
            system->setGeneratorProperties(first, second, s.velocityMin, s.velocityMax, s.gravity,
                                           t.life.x, t.life.y, t.size.x, t.size.y, t.interval,
                                           s.particleCount, s.animRows,
                                           s.animCols, s.animFrames, s.animSpeed, s.alphaType,
                                           s.blendDelay, s.color, s.alpha);
        }
        system->textureName = s.textureName;
        system->softness = s.softness;
        particleSystems.push_back(system);
    }
}
