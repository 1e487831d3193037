#include "game/Scene.h"

#include <cstdio>

#include "app/Engine.h"
#include "game/Cuboid.h"
#include "game/SceneAssembly.h"
#include "game/SceneObject.h"
#include "game/Terrain.h"
#include "particles/ParticleSystem.h"

Scene::Scene(Engine* engine) : engine(engine) {
    objectCount = 0;
    terrainWidth = 128.0f;
    terrainDepth = 128.0f;

    heightmapWidth = static_cast<int>(terrainWidth);
    heightmapDepth = static_cast<int>(terrainDepth);
    heightmapFile = "h_level_ew.tga";
    heightScale = 10.0f;
    // Built before any GL context: the heightmap loader makes no GL call.
    TextureCache loader;
    heightSamples = loader.loadHeightmap(heightmapFile, heightmapWidth, heightmapDepth);
    if (heightSamples == nullptr) {
        std::printf("Scene: heightmap '%s' not loaded; the ground is flat.\n",
                    heightmapFile.c_str());
    }

    cameraStart = glm::vec3(-45.0f, 10.0f, -25.0f);
    sunLightDir = glm::normalize(glm::vec3(0.3016f, -0.6255f, 1.0f));

    const float platformBase = game::platformBaseHeight(heightAt(-2.5f, 0.0f));

    pointLights = new PointLight[1];
    PointLight& fire = pointLights[0];
    fire.AmbientInt = 0.0f;
    fire.DiffuseInt = 1.0f;
    fire.Position = game::fireLightPosition(platformBase);
    numPointLights = 1;
    // Sun, ambient, fog and the fire light's colour and attenuation.
    adoptSettings();

    game::assembleScene(*this, platformBase);
}

Scene::~Scene() {
    for (game::SceneObject* object : objects) delete object;
    objects.clear();
    for (ParticleSystem* system : particleSystems) delete system;
    particleSystems.clear();
    // Only set up with a GL context; a scene that never was makes no GL call here.
    if (sunQuadBuffer != 0) glDeleteBuffers(1, &sunQuadBuffer);
    groundMesh.release();
    skyboxMesh.release();
    delete cuboid;
    delete[] pointLights;
    delete[] heightSamples;
}

void Scene::releaseGraphics() {
    for (game::SceneObject* object : objects) object->releaseGraphics();
    if (cuboid != nullptr) cuboid->releaseGraphics();
    glDeleteBuffers(1, &sunQuadBuffer);
    sunQuadBuffer = 0;
    sunTexture = 0;  // the engine's texture cache owns it
    groundMesh.release();
    groundMesh = Mesh();
    skyboxMesh.release();
    skyboxMesh = Mesh();
}

void Scene::adoptSettings() {
    sunLightCol = settings.sun.color;
    sunLightInt = settings.sun.intensity;
    ambLightCol = settings.ambient.color;
    ambLightInt = settings.ambient.intensity;
    fogColor = settings.fog.color;
    fogStart = settings.fog.start;
    fogEnd = settings.fog.end;
    fogDensity = settings.fog.density;
    fogEquation = settings.fog.mode;
    for (int i = 0; i < numPointLights; ++i) {
        PointLight& light = pointLights[i];
        light.Color = settings.fireLight.color;
        light.ConstAtt = settings.fireLight.constantAttenuation;
        light.LinearAtt = settings.fireLight.linearAttenuation;
        light.ExpAtt = settings.fireLight.quadraticAttenuation;
    }
}

float Scene::heightAt(float x, float z) const {
    return game::terrainHeight(heightSamples, heightmapWidth, heightmapDepth, terrainWidth,
                               terrainDepth, heightScale, x, z);
}
