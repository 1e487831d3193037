// The lit surface pass: one mesh with its textures, the sun, the ambient
// term, the fire's point lights with their shadow cube, and fog.
#include <algorithm>

#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/PointLight.h"
#include "game/Scene.h"
#include "render/Lighting.h"
#include "render/MeshDraw.h"
#include "render/RenderState.h"
#include "GraphicsEngine/Uniforms.h"

using namespace meshuniforms;

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
    const graph::UniformLocations* table =
        beginTexturedMeshDraw(mesh, currentMatrix, render->meshUniforms.lit);
    if (table == nullptr) return;  // a mesh that failed to load has nothing to draw
    const graph::UniformLocations& at = *table;
    const glm::mat4 depthMvpMatrix = lighting::biasedSunDepthMvp(
        shadowBiasMatrix, cameraPosition, scene->sunLightDir, modelMatrix);

    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, shadowMapTexture);
    uniforms::setInt(at[ShadowMap], 1);

    if (mesh.normalMap != 0) {
        glActiveTexture(GL_TEXTURE2);
        glBindTexture(GL_TEXTURE_2D, mesh.normalMap);
        uniforms::setInt(at[NormalMap], 2);
        glActiveTexture(GL_TEXTURE3);
        glBindTexture(GL_TEXTURE_2D, mesh.depthMap);
        uniforms::setInt(at[DepthMap], 3);
        uniforms::setFloat(at[HeightScale], 1.0f);
    } else {
        uniforms::setFloat(at[HeightScale], -1.0f);  // no relief maps
    }
    uniforms::setMat4(at[DepthMvpMatrix], depthMvpMatrix);

    glActiveTexture(GL_TEXTURE4);
    glBindTexture(GL_TEXTURE_CUBE_MAP, shadowCubeTexture);
    glBindSampler(4, render->shadowCubeSampler);  // depth comparison, for this draw only
    uniforms::setInt(at[CmZTex], 4);

    // The cube's depth program receives the same pair (renderOmniShadow).
    const PointLight light = firstLight(*scene);
    uniforms::setVec2(at[NearFar], glm::vec2(PointLight::kShadowNear, PointLight::kShadowFar));
    uniforms::setVec4(at[LPos], glm::vec4(light.Position, 1.0f));

    uniforms::setVec3(at[SunLightDir], scene->sunLightDir);
    uniforms::setVec3(at[SunLightCol], scene->sunLightCol);
    uniforms::setFloat(at[SunLightInt], scene->sunLightInt);
    uniforms::setVec3(at[AmbLightCol], scene->ambLightCol);
    uniforms::setFloat(at[AmbLightInt], scene->ambLightInt);
    uniforms::setFloat(at[Shininess], mesh.shininess);
    uniforms::setFloat(at[SpecLightInt], mesh.specLightInt);

    setPointLights(at, static_cast<unsigned>(scene->numPointLights), scene->pointLights);

    setFogViewAndModel(at, scene->fogColor, scene->fogStart, scene->fogEnd, scene->fogDensity,
                       scene->fogEquation, cameraPosition, modelMatrix);

    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glBindSampler(4, 0);
}

void Engine::setPointLights(const graph::UniformLocations& at, unsigned count,
                            PointLight* lights) {
    uniforms::setInt(at[NumPointLights], static_cast<GLint>(count));
    // Every light flickers alike; the stored DiffuseInt is not used.
    const float diffuse = lighting::flicker(scene->clock.time, scene->settings.fireLight.flicker,
                                            scene->settings.fireLight.intensity);
    for (unsigned i = 0; i < std::min(count, kMaxPointLights); ++i) {
        const PointLight& light = lights[i];
        uniforms::setVec3(at[pointLightUniform(i, Color)], light.Color);
        uniforms::setFloat(at[pointLightUniform(i, AmbientInt)], light.AmbientInt);
        uniforms::setFloat(at[pointLightUniform(i, DiffuseInt)], diffuse);
        uniforms::setVec3(at[pointLightUniform(i, Position)], light.Position);
        uniforms::setFloat(at[pointLightUniform(i, ConstAtt)], light.ConstAtt);
        uniforms::setFloat(at[pointLightUniform(i, LinearAtt)], light.LinearAtt);
        uniforms::setFloat(at[pointLightUniform(i, ExpAtt)], light.ExpAtt);
    }
}
