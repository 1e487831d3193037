#include "game/Environment.h"

#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>

#include "GraphicsEngine/ModelLoader.h"
#include "app/Engine.h"
#include "game/Scene.h"

namespace environment {

const std::array<float, 12> kSunQuad = {-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f,
                                        -0.5f, 0.5f,  0.0f, 0.5f, 0.5f,  0.0f};

glm::mat4 skyModelMatrix(const glm::vec3& cameraPosition) {
    glm::mat4 model =
        glm::translate(glm::mat4(1.0f), cameraPosition + glm::vec3(0.0f, 25.0f, 0.0f));
    for (int axis = 0; axis < 3; ++axis) model[axis] *= 200.0f;
    return glm::rotate(model, glm::radians(180.0f), glm::vec3(0.0f, 1.0f, 0.0f));
}

namespace {

// Takes over a loaded model: the scene's mesh shares its arrays and buffers
// and becomes their one owner. False (with a line) when the file gave nothing.
bool adoptModel(Mesh& target, graph::Shader* program, const char* file, const char* what) {
    Mesh* loaded = ModelLoader::loadModel(program, file);
    if (loaded == nullptr) {
        std::printf("Environment: '%s' could not be loaded; running without the %s.\n", file,
                    what);
        return false;
    }
    target = *loaded;
    delete loaded;
    return true;
}

}  // namespace

}  // namespace environment

void Scene::setGroundProgram(graph::Shader* program) { groundProgram = program; }

void Scene::setSkyProgram(graph::Shader* program) { skyProgram = program; }

void Scene::setSunProgram(graph::Shader* program) { sunProgram = program; }

void Scene::setupEnvironment() {
    TextureCache& textures = engine->textureCache;

    glGenBuffers(1, &sunQuadBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, sunQuadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(environment::kSunQuad), environment::kSunQuad.data(),
                 GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    sunTexture = textures.loadTexture("sunsprite.tga");

    if (environment::adoptModel(groundMesh, groundProgram, "groundMesh.obj", "ground")) {
        groundMesh.colorTexture = textures.loadTexture("ground07.jpg");
        groundMesh.shininess = 0.75f;
        groundMesh.specLightInt = 0.25f;
        const GLuint depth = textures.loadTexture("ground07b.jpg");
        const GLuint normal = textures.loadTexture("ground07n.jpg");
        groundMesh.normalMap = normal;
        groundMesh.depthMap = depth;
        groundMesh.shader = groundProgram;
    }

    if (environment::adoptModel(skyboxMesh, skyProgram, "skybox.obj", "sky")) {
        skyboxMesh.shader = skyProgram;
        skyboxMesh.colorTexture = textures.loadTexture("skybox2.jpg");
        skyboxMesh.shininess = 0.0f;
        skyboxMesh.specLightInt = 0.0f;
    }
}

void Scene::drawSkybox() {
    if (skyboxMesh.shader == nullptr) return;  // no sky model: the clear colour shows
    const glm::mat4 model = environment::skyModelMatrix(engine->cameraPosition);
    engine->renderLit(skyboxMesh, engine->projectionMatrix * engine->viewMatrix * model, model,
                      nullptr);
}
