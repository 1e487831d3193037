// The lit surface pass: one mesh with its textures, the sun, the ambient
// term, the fire's point lights with their shadow cube, and fog.
#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/PointLight.h"
#include "game/Scene.h"
#include "render/Lighting.h"
#include "render/MeshDraw.h"
#include "GraphicsEngine/Uniforms.h"

namespace {

// The light the shadow cube belongs to. A scene without a light array gets a
// dark default instead of a null dereference.
PointLight firstLight(const Scene& scene) {
    return scene.pointLights != nullptr ? scene.pointLights[0] : PointLight();
}

}  // namespace

void Engine::renderLit(Mesh& mesh, const glm::mat4& currentMatrix, const glm::mat4& modelMatrix,
                       game::SceneObject* object) {
    (void)object;
    const GLuint program = beginTexturedMeshDraw(mesh, currentMatrix);
    if (program == 0) return;  // a mesh that failed to load has nothing to draw
    const glm::mat4 depthMvpMatrix = lighting::biasedSunDepthMvp(
        shadowBiasMatrix, cameraPosition, scene->sunLightDir, modelMatrix);

    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, shadowMapTexture);
    uniforms::setInt(program, "shadowMap", 1);

    if (mesh.normalMap != 0) {
        glActiveTexture(GL_TEXTURE2);
        glBindTexture(GL_TEXTURE_2D, mesh.normalMap);
        uniforms::setInt(program, "normalMap", 2);
        glActiveTexture(GL_TEXTURE3);
        glBindTexture(GL_TEXTURE_2D, mesh.depthMap);
        uniforms::setInt(program, "depthMap", 3);
        uniforms::setFloat(program, "heightScale", 1.0f);
    } else {
        uniforms::setFloat(program, "heightScale", -1.0f);  // no relief maps
    }
    uniforms::setMat4(program, "depthMvpMatrix", depthMvpMatrix);

    glActiveTexture(GL_TEXTURE4);
    glBindTexture(GL_TEXTURE_CUBE_MAP, shadowCubeTexture);
    glBindSampler(4, shadowCubeSampler);  // depth comparison, for this draw only
    uniforms::setInt(program, "cm_z_tex", 4);

    // The cube's depth program receives the same pair (renderOmniShadow).
    const PointLight light = firstLight(*scene);
    uniforms::setVec2(program, "near_far", glm::vec2(1.0f, 100.0f));
    uniforms::setVec4(program, "l_pos", glm::vec4(light.Position, 1.0f));

    uniforms::setVec3(program, "sunLightDir", scene->sunLightDir);
    uniforms::setVec3(program, "sunLightCol", scene->sunLightCol);
    uniforms::setFloat(program, "sunLightInt", scene->sunLightInt);
    uniforms::setVec3(program, "ambLightCol", scene->ambLightCol);
    uniforms::setFloat(program, "ambLightInt", scene->ambLightInt);
    uniforms::setFloat(program, "shininess", mesh.shininess);
    uniforms::setFloat(program, "specLightInt", mesh.specLightInt);

    setPointLights(mesh.shader, static_cast<unsigned>(scene->numPointLights), scene->pointLights);

    uniforms::setFogViewAndModel(program, scene->fogColor, scene->fogStart, scene->fogEnd,
                                 scene->fogDensity, cameraPosition, modelMatrix);

    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glBindSampler(4, 0);
}

void Engine::setPointLights(graph::Shader* program, unsigned count, PointLight* lights) {
    const GLuint id = program->program;
    uniforms::setInt(id, "numPointLights", static_cast<GLint>(count));
    // Every light flickers alike; the stored DiffuseInt is not used.
    const float diffuse = lighting::flicker(totalTime);
    for (unsigned i = 0; i < count; ++i) {
        const PointLight& light = lights[i];
        uniforms::setVec3(id, lighting::pointLightUniform(i, "Color"), light.Color);
        uniforms::setFloat(id, lighting::pointLightUniform(i, "AmbientInt"), light.AmbientInt);
        uniforms::setFloat(id, lighting::pointLightUniform(i, "DiffuseInt"), diffuse);
        uniforms::setVec3(id, lighting::pointLightUniform(i, "Position"), light.Position);
        uniforms::setFloat(id, lighting::pointLightUniform(i, "ConstAtt"), light.ConstAtt);
        uniforms::setFloat(id, lighting::pointLightUniform(i, "LinearAtt"), light.LinearAtt);
        uniforms::setFloat(id, lighting::pointLightUniform(i, "ExpAtt"), light.ExpAtt);
    }
}
