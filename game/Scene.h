#pragma once
#include <GL/glew.h>

#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "GraphicsEngine/Mesh.h"
#include "game/Settings.h"
#include "game/PointLight.h"
#include "game/SceneClock.h"

class Engine;
class ParticleSystem;
namespace graph {
class Shader;
}
namespace game {
class SceneObject;
class StaticObject;
class Cuboid;
}  // namespace game

// Everything that exists in the world: terrain, lights, fog, environment,
// objects, particle systems and the debug cuboid. Its constructor makes no GL call.
class Scene {
public:
    Engine* engine = nullptr;
    int objectCount = 0;
    float terrainWidth = 128.0f;
    float terrainDepth = 128.0f;
    float* heightSamples = nullptr;
    float heightScale = 10.0f;
    // An environment mesh whose model could not be loaded keeps a null shader
    // and no indices: it is drawn nowhere.
    Mesh groundMesh;
    graph::Shader* groundProgram = nullptr;
    Mesh skyboxMesh;
    graph::Shader* skyProgram = nullptr;
    graph::Shader* sunProgram = nullptr;
    glm::vec3 sunLightDir{0.0f};
    float sunLightInt = 0.0f;
    glm::vec3 sunLightCol{0.0f};
    float ambLightInt = 0.0f;
    glm::vec3 ambLightCol{0.0f};
    PointLight* pointLights = nullptr;
    int numPointLights = 0;
    glm::vec3 fogColor{0.0f};
    float fogStart = 0.0f;
    float fogEnd = 0.0f;
    float fogDensity = 0.0f;
    int fogEquation = 0;  // 0 linear, 1 exponential, 2 exponential squared
    glm::vec3 cameraStart{0.0f};
    std::string heightmapFile;
    std::vector<game::SceneObject*> objects;
    std::vector<ParticleSystem*> particleSystems;
    int heightmapWidth = 128;
    int heightmapDepth = 128;
    GLuint sunTexture = 0;
    GLuint sunQuadBuffer = 0;
    game::Cuboid* cuboid = nullptr;
    // The tuned look (Tab's panel, --settings), read by the passes each frame.
    Settings settings;
    SceneClock clock;  // at the tuned time scale: Engine::advanceClock

    explicit Scene(Engine* engine);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    float heightAt(float x, float z) const;
    // The GL objects of the environment, the objects and the debug cuboid
    // deleted and forgotten (a lost context); start-up's setUpScene makes them again.
    void releaseGraphics();
    // Takes the tuned look from `settings`: sun, ambient, fog and the fire's
    // colour and attenuation (every point light is a fire light). The
    // constructor takes the defaults this way.
    void adoptSettings();

    // Environment (game/Environment.cpp).
    void setGroundProgram(graph::Shader* program);
    void setSkyProgram(graph::Shader* program);
    void setSunProgram(graph::Shader* program);
    void setupEnvironment();
    void drawSkybox();

    // Assembly (game/SceneAssembly.cpp, particles/FireEmitters.cpp).
    game::StaticObject* createStaticObject(const glm::vec3& position, const glm::vec3& rotationAngles,
                                           const glm::vec3& boxSize, float shininess,
                                           float specLightInt, int kind, std::string modelFile,
                                           std::string colorFile, std::string normalFile,
                                           std::string depthFile);
    game::StaticObject* createPlainStaticObject(const glm::vec3& position,
                                                const glm::vec3& rotationAngles,
                                                const glm::vec3& boxSize, float shininess,
                                                float specLightInt, int kind,
                                                std::string modelFile, std::string colorFile);
    void addFireEmitters(const glm::vec3& first, const glm::vec3& second);
};
