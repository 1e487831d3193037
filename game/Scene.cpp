#include "game/Scene.h"

Scene::Scene(Engine* engine) : engine(engine) { cameraStart = glm::vec3(-45.0f, 10.0f, -25.0f); }

Scene::~Scene() {}
