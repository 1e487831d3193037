// The effigy's fire material: charred wood, fire layer and noise, animated by
// the time since start. No lights and no shadows; fogged like the rest.
#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/Scene.h"
#include "GraphicsEngine/Uniforms.h"
#include "render/MeshDraw.h"
#include "render/RenderState.h"

void Engine::renderEffigy(Mesh& mesh, const glm::mat4& currentMatrix, const glm::mat4& modelMatrix,
                          game::StaticObject* object) {
    (void)object;
    const graph::UniformLocations* table =
        beginTexturedMeshDraw(mesh, currentMatrix, render->meshUniforms.effigy);
    if (table == nullptr) return;
    const graph::UniformLocations& at = *table;
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, fireLayerTexture);
    uniforms::setInt(at[meshuniforms::FireTexture], 1);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, noiseTexture);
    uniforms::setInt(at[meshuniforms::NoiseTexture], 2);

    uniforms::setFloat(at[meshuniforms::TimePassed], static_cast<float>(scene->clock.time));
    setFogViewAndModel(at, scene->fogColor, scene->fogStart, scene->fogEnd, scene->fogDensity,
                       scene->fogEquation, cameraPosition, modelMatrix);

    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
