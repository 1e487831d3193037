#pragma once
#include <glm/glm.hpp>
#include <memory>

#include "app/Engine.h"
#include "game/PointLight.h"
#include "game/Scene.h"
#include "render/RenderState.h"
#include "support/GlContext.h"
#include "support/TestMeshes.h"

// A real engine (all fifteen programs, both shadow targets) and a scene whose
// lights and fog the test sets, with a 128 x 128 window and a camera; on
// desktop OpenGL, or with `es` on OpenGL ES 3.0 through the ES back end.
// setUp() after construction, tearDown() before destruction; a test that
// wants both back ends makes one rig after the other.
class PassRig {
public:
    static constexpr int kSize = 128;
    GlContext context;
    Engine engine;
    RenderState render;
    std::unique_ptr<Scene> scene;

    explicit PassRig(bool es = false);
    void setUp();
    void tearDown();

    bool es() const { return es_; }
    PointLight& light() { return scene->pointLights[0]; }
    graph::Shader* program(const char* key) { return engine.shaders[key].get(); }
    // Perspective 60 degrees, aspect 1, near 0.1, far 250.
    void lookAt(glm::vec3 eye, glm::vec3 target, glm::vec3 up);
    // Window pixel of a world point under the current camera.
    glm::ivec2 pixelOf(glm::vec3 world) const;
    Rgba pixelAt(glm::vec3 world) const;
    // Clears the window's colour (black) and depth.
    void clearWindow();
    // The frame's cube cleared, the meshes drawn into it as the back end
    // draws a cube (one layered pass, or six), then back to the window.
    void renderCube(std::initializer_list<Mesh*> casters);
    // Leaves the cube at depth 1 everywhere: nothing casts a shadow.
    void clearCube();
    // The lit pass for a mesh in world coordinates (identity model).
    void renderLit(Mesh& mesh);

private:
    bool es_;
    PointLight ownLight_;
};
