// The depth of what the camera will see, laid down before any colour pass.
// The lit shading is by far the costliest work of a frame; with the nearest
// depth already in place, the colour passes (testing less-or-equal) shade
// each visible pixel once instead of every surface that lies on it.
#include "GraphicsEngine/Uniforms.h"
#include "app/Engine.h"
#include "render/MeshDraw.h"
#include "render/RenderState.h"

void Engine::renderDepth(Mesh& mesh, const glm::mat4& currentMatrix) {
    if (mesh.indexCount == 0) return;
    // The sun's depth-only program, which no frame draws with otherwise.
    graph::UniformLocations& at = render->meshUniforms.sunDepth;
    if (!beginDepthOnlyDraw(shaders, "shadow", mesh, at)) return;
    uniforms::setMat4(at[meshuniforms::DepthMvp], currentMatrix);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
