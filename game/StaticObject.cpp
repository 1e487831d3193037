#include "game/StaticObject.h"

#include <cmath>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>
#include <utility>

#include "GraphicsEngine/Mesh.h"
#include "GraphicsEngine/ModelLoader.h"
#include "app/Engine.h"
#include "game/Scene.h"

namespace game {

bool drawsWithEffigyPass(int kind) { return kind == 1; }

bool castsShadows(int kind) { return kind != 6; }

bool turnsInUpdate(int kind) { return kind == 2; }

bool loadsSurfaceMaps(int kind) { return kind == 2 || kind == 3; }

float turnedAngle(float degrees, double elapsedSeconds, float rate) {
    const double turned =
        std::fmod(static_cast<double>(degrees) + elapsedSeconds * static_cast<double>(rate), 360.0);
    const float wrapped = static_cast<float>(turned < 0.0 ? turned + 360.0 : turned);
    return wrapped < 360.0f ? wrapped : 0.0f;  // just below 360 can round up to it
}

glm::mat4 applyStartRotation(const glm::vec3& angles, BoundingBox& box) {
    glm::mat4 rotation(1.0f);
    if (angles.x != 0.0f) {
        rotation = glm::rotate(rotation, glm::radians(angles.x), glm::vec3(1.0f, 0.0f, 0.0f));
        box.rotateAboutX(angles.x);
    }
    if (angles.y != 0.0f) {
        rotation = glm::rotate(rotation, glm::radians(angles.y), glm::vec3(0.0f, 1.0f, 0.0f));
        box.rotateAboutY(angles.y);
    }
    if (angles.z != 0.0f) {
        rotation = glm::rotate(rotation, glm::radians(angles.z), glm::vec3(0.0f, 0.0f, 1.0f));
        box.rotateAboutZ(angles.z);
    }
    return rotation;
}

StaticObject::StaticObject(int kind, int objectId, const BoundingBox& box,
                           const glm::vec3& position, const glm::vec3& angles, float shininess,
                           float specLightInt, std::string modelFile, std::string colorFile)
    : SceneObject(kind, objectId, box, position),
      shininess(shininess),
      specLightInt(specLightInt),
      colorFile(std::move(colorFile)),
      modelFile(std::move(modelFile)) {
    rotationAngles = angles;
}

StaticObject::~StaticObject() {
    if (mesh != nullptr) {
        mesh->release();
        delete mesh;
    }
}

void StaticObject::setMapFiles(std::string normal, std::string depth) {
    normalFile = std::move(normal);
    depthFile = std::move(depth);
}

void StaticObject::update(double elapsedSeconds) {
    if (turnsInUpdate(kind)) {
        rotationAngles.y =
            turnedAngle(rotationAngles.y, elapsedSeconds, engine->scene->settings.structure.speed);
        rotationMatrix = glm::rotate(glm::mat4(1.0f), glm::radians(rotationAngles.y),
                                     glm::vec3(0.0f, 1.0f, 0.0f));
        modelMatrix = glm::translate(glm::mat4(1.0f), position) * rotationMatrix;
    }
    currentMatrix = (engine->projectionMatrix * engine->viewMatrix) * modelMatrix;
}

void StaticObject::draw() {
    if (mesh == nullptr) return;
    if (drawsWithEffigyPass(kind)) {
        engine->renderEffigy(*mesh, currentMatrix, modelMatrix, this);
    } else {
        engine->renderLit(*mesh, currentMatrix, modelMatrix, this);
    }
}

void StaticObject::drawShadow(int, int, int) {
    if (mesh == nullptr || !castsShadows(kind)) return;
    engine->renderShadow(*mesh, this, modelMatrix);
}

void StaticObject::drawOmniShadow() {
    if (mesh == nullptr || !castsShadows(kind)) return;
    engine->renderOmniShadow(*mesh, modelMatrix);
}

ShadowCasting StaticObject::shadowCasting() const {
    return {mesh != nullptr && castsShadows(kind), turnsInUpdate(kind), modelMatrix};
}

void StaticObject::drawDepth() {
    if (mesh != nullptr) engine->renderDepth(*mesh, currentMatrix);
}

void StaticObject::placeholder() {}

void StaticObject::placeholderExtra() {}

void StaticObject::init(graph::Shader* program) {
    shader = program;
    TextureCache& textures = engine->textureCache;
    colorTexture =
        kind == 6 ? textures.loadAlphaTexture(colorFile) : textures.loadTexture(colorFile);
    mesh = ModelLoader::loadModel(shader, modelFile);
    if (mesh == nullptr) {
        std::printf("Model '%s' could not be loaded; the object is left out.\n",
                    modelFile.c_str());
        state = kPassedOver;  // nothing to draw, so not counted as drawn either
    } else {
        mesh->colorTexture = colorTexture;
        mesh->shininess = shininess;
        mesh->specLightInt = specLightInt;
        if (loadsSurfaceMaps(kind)) {
            mesh->normalMap = textures.loadTexture(normalFile);
            mesh->depthMap = textures.loadTexture(depthFile);
        }
    }
    // Placed even without a mesh, so whatever reads the object sees a sane
    // one; once, for the box has turned by then.
    if (placed_) return;
    modelMatrix = glm::translate(glm::mat4(1.0f), position) *
                  applyStartRotation(rotationAngles, boundingBox);
    placed_ = true;
}

void StaticObject::releaseGraphics() {
    if (mesh != nullptr) {
        mesh->release();
        delete mesh;
        mesh = nullptr;
    }
    colorTexture = 0;  // the engine's texture cache owns it
}

}  // namespace game
