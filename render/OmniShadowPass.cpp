// Depth of one mesh into all six faces of the fire light's shadow cube in a
// single layered draw: the program's geometry stage picks the face.
#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/PointLight.h"
#include "game/Scene.h"
#include "render/MeshDraw.h"
#include "render/RenderState.h"
#include "GraphicsEngine/Uniforms.h"

void Engine::renderOmniShadow(Mesh& mesh, const glm::mat4& modelMatrix) {
    graph::UniformLocations& at = render->meshUniforms.omniDepth;
    if (!beginDepthOnlyDraw(shaders, "shadowOmni", mesh, at)) return;  // no program: nothing drawn

    uniforms::setMat4(at[meshuniforms::M], modelMatrix);
    // Built on a copy: the scene's light is never modified by a pass.
    PointLight light = scene->pointLights != nullptr ? scene->pointLights[0] : PointLight();
    light.computeFaceMatrices();
    const std::vector<glm::mat4> faces = light.getFaceMatrices();
    for (unsigned i = 0; i < faces.size(); ++i) {
        uniforms::setMat4(at[meshuniforms::cubeFaceUniform(i)], faces[i]);
    }
    uniforms::setVec2(at[meshuniforms::OmniNearFar], glm::vec2(light.nearPlane, light.farPlane));
    uniforms::setVec4(at[meshuniforms::OmniLPos], glm::vec4(light.Position, 1.0f));

    glBindFramebuffer(GL_FRAMEBUFFER, render->staticShadowCube.drawTarget);
    // A mesh that never loaded (no ground model) has nothing to draw.
    if (mesh.indexCount > 0) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT,
                       nullptr);
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, displayFramebuffer());
}
