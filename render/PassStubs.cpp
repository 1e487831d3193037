// TEMPORARY: empty stand-ins for the passes so that this branch links before
// the real passes are merged. Delete this file when render/ has them.
#include "app/Engine.h"

void Engine::renderLit(Mesh&, const glm::mat4&, const glm::mat4&, game::SceneObject*) {}
void Engine::setPointLights(graph::Shader*, unsigned, PointLight*) {}
void Engine::renderEffigy(Mesh&, const glm::mat4&, const glm::mat4&, game::StaticObject*) {}
void Engine::renderShadow(Mesh&, game::StaticObject*, const glm::mat4&) {}
void Engine::renderOmniShadow(Mesh&, const glm::mat4&) {}
