// Depth of one mesh into all six faces of the fire light's shadow cube in a
// single layered draw: the program's geometry stage picks the face.
#include "GraphicsEngine/Mesh.h"
#include "app/Engine.h"
#include "game/PointLight.h"
#include "game/Scene.h"
#include "render/Lighting.h"
#include "render/MeshDraw.h"
#include "GraphicsEngine/Uniforms.h"

void Engine::renderOmniShadow(Mesh& mesh, const glm::mat4& modelMatrix) {
    const GLuint program = beginDepthOnlyDraw(shaders, "shadowOmni", mesh);
    if (program == 0) return;  // a missing program draws nothing

    uniforms::setMat4(program, "M", modelMatrix);
    // Built on a copy: the scene's light is never modified by a pass.
    PointLight light = scene->pointLights != nullptr ? scene->pointLights[0] : PointLight();
    light.computeFaceMatrices();
    const std::vector<glm::mat4> faces = light.getFaceMatrices();
    for (unsigned i = 0; i < faces.size(); ++i) {
        uniforms::setMat4(program, lighting::cubeFaceUniform(i), faces[i]);
    }
    uniforms::setVec2(program, "near_far", glm::vec2(light.nearPlane, light.farPlane));
    uniforms::setVec4(program, "l_pos", glm::vec4(light.Position, 1.0f));

    glBindFramebuffer(GL_FRAMEBUFFER, staticShadowCube.drawTarget);
    // A mesh that never loaded (no ground model) has nothing to draw.
    if (mesh.indexCount > 0) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT,
                       nullptr);
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, displayFramebuffer());
}
