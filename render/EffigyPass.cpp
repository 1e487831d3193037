// The effigy's fire material: charred wood, fire layer and noise, animated by
// the time since start. No lights and no shadows; fogged like the rest.
#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/Scene.h"
#include "GraphicsEngine/Uniforms.h"
#include "render/MeshDraw.h"

void Engine::renderEffigy(Mesh& mesh, const glm::mat4& currentMatrix, const glm::mat4& modelMatrix,
                          game::StaticObject* object) {
    (void)object;
    const GLuint program = beginTexturedMeshDraw(mesh, currentMatrix);
    if (program == 0) return;
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, fireLayerTexture);
    uniforms::setInt(program, "fireTexture", 1);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, noiseTexture);
    uniforms::setInt(program, "noiseTexture", 2);

    uniforms::setFloat(program, "timePassed", static_cast<float>(totalTime));
    uniforms::setFogViewAndModel(program, scene->fogColor, scene->fogStart, scene->fogEnd,
                                 scene->fogDensity, cameraPosition, modelMatrix);

    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
