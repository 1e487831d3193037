// Depth of one mesh into the fire light's shadow cube: on the desktop into
// all six faces in a single layered draw, the program's geometry stage
// picking the face; on ES into the one face the cube's pass draws
// (StaticShadowCube::drawFace), through that face's matrix.
#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/PointLight.h"
#include "game/Scene.h"
#include "render/MeshDraw.h"
#include "render/RenderState.h"
#include "GraphicsEngine/Uniforms.h"

namespace {

// The two cube programs take different uniforms: a name the program in use
// lacks (location -1) is skipped here rather than handed to GL.
bool has(GLint location) { return location >= 0; }

}  // namespace

void Engine::renderOmniShadow(Mesh& mesh, const glm::mat4& modelMatrix) {
    graph::UniformLocations& at = render->meshUniforms.omniDepth;
    if (!beginDepthOnlyDraw(shaders, "shadowOmni", mesh, at)) return;  // no program: nothing drawn

    if (has(at[meshuniforms::M])) uniforms::setMat4(at[meshuniforms::M], modelMatrix);
    // Read, never modified: a pass leaves the scene's light as it is. ES
    // draws one face a pass and needs that face's matrix alone.
    static const PointLight kNoLight;
    const PointLight& light = scene->pointLights != nullptr ? scene->pointLights[0] : kNoLight;
    const StaticShadowCube& cube = render->staticShadowCube;
    if (cube.drawFace >= 0) {
        const GLint face = at[meshuniforms::OmniFaceMatrix];
        if (has(face)) uniforms::setMat4(face, light.faceMatrix(cube.drawFace));
    } else {
        for (int i = 0; i < 6; ++i) {
            const GLint face = at[meshuniforms::cubeFaceUniform(static_cast<unsigned>(i))];
            if (has(face)) uniforms::setMat4(face, light.faceMatrix(i));
        }
        if (has(at[meshuniforms::OmniNearFar])) {
            uniforms::setVec2(at[meshuniforms::OmniNearFar],
                              glm::vec2(PointLight::kShadowNear, PointLight::kShadowFar));
        }
        if (has(at[meshuniforms::OmniLPos])) {
            uniforms::setVec4(at[meshuniforms::OmniLPos], glm::vec4(light.Position, 1.0f));
        }
    }

    glBindFramebuffer(GL_FRAMEBUFFER, cube.drawTarget);
    // A mesh that never loaded (no ground model) has nothing to draw.
    if (mesh.indexCount > 0) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT,
                       nullptr);
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, displayFramebuffer());
}
