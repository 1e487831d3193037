// Depth of one mesh as the sun sees it, into the directional shadow map. The
// frame never calls it; the lit pass's "depthMvpMatrix" addresses the texel
// this pass writes (the same matrices with the bias in front).
#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/Scene.h"
#include "render/Lighting.h"
#include "render/MeshDraw.h"
#include "render/RenderState.h"
#include "GraphicsEngine/Uniforms.h"

void Engine::renderShadow(Mesh& mesh, game::StaticObject* object, const glm::mat4& modelMatrix) {
    (void)object;
    graph::UniformLocations& at = render->meshUniforms.sunDepth;
    if (!beginDepthOnlyDraw(shaders, "shadow", mesh, at)) return;  // no program: nothing drawn

    uniforms::setMat4(at[meshuniforms::DepthMvp],
                      lighting::sunDepthMvp(cameraPosition, scene->sunLightDir, modelMatrix));

    glBindFramebuffer(GL_FRAMEBUFFER, shadowMapFramebuffer);
    // A mesh that never loaded (no ground model) has nothing to draw.
    if (mesh.indexCount > 0) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT,
                       nullptr);
    }
    glBindVertexArray(0);
    glBindFramebuffer(GL_FRAMEBUFFER, displayFramebuffer());
}
