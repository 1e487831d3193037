#include "support/PassRig.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

PassRig::PassRig(bool es)
    : context(kSize, kSize, es), es_(es) {}

void PassRig::setUp() {
    engine.surface = context.surface();
    engine.render = &render;
    render.backend = RenderBackend::create(es_);
    testing::internal::CaptureStdout();
    engine.createShaderPrograms();
    engine.createShadowMap();
    engine.createShadowCube();
    render.askCapabilities();  // as start-up does
    render.staticShadowCube.create(*render.backend, engine.shadowCubeTexture,
                                   engine.shadowCubeFramebuffer, engine.shadowCubeWidth, 0);
    scene = std::make_unique<Scene>(&engine);
    testing::internal::GetCapturedStdout();
    engine.scene = scene.get();
    engine.width = engine.height = kSize;

    scene->sunLightDir = glm::normalize(glm::vec3(0.3016f, -0.6255f, 1.0f));
    scene->sunLightCol = glm::vec3(1.0f, 0.7529412f, 0.5019608f);
    scene->sunLightInt = 0.05f;
    scene->ambLightCol = glm::vec3(0.7529412f, 0.8117647f, 0.9372549f);
    scene->ambLightInt = 0.025f;
    if (scene->pointLights == nullptr) scene->pointLights = &ownLight_;
    scene->numPointLights = 1;
    light().Color = glm::vec3(1.0f, 0.7f, 0.6f);
    light().AmbientInt = 0.0f;
    light().DiffuseInt = 1.0f;
    light().Position = glm::vec3(0.0f, 5.0f, 0.0f);
    light().ConstAtt = 1.0f;
    light().LinearAtt = 0.022f;
    light().ExpAtt = 0.0019f;
    scene->fogColor = glm::vec3(0.0f);
    scene->fogStart = 75.0f;
    scene->fogEnd = 100.0f;
    scene->fogDensity = 0.01f;

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_BLEND);
    glViewport(0, 0, kSize, kSize);
    clearCube();
    context.clearErrors();
}

void PassRig::tearDown() {
    if (scene->pointLights == &ownLight_) scene->pointLights = nullptr;
    scene.reset();
}

void PassRig::lookAt(glm::vec3 eye, glm::vec3 target, glm::vec3 up) {
    engine.cameraPosition = eye;
    engine.viewMatrix = glm::lookAt(eye, target, up);
    engine.projectionMatrix = glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 250.0f);
}

glm::ivec2 PassRig::pixelOf(glm::vec3 world) const {
    const glm::vec4 clip = engine.projectionMatrix * engine.viewMatrix * glm::vec4(world, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::ivec2((ndc * 0.5f + 0.5f) * static_cast<float>(kSize));
}

Rgba PassRig::pixelAt(glm::vec3 world) const {
    const glm::ivec2 p = pixelOf(world);
    return readPixel(p.x, p.y);
}

void PassRig::clearWindow() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void PassRig::renderCube(std::initializer_list<Mesh*> casters) {
    glCullFace(GL_BACK);
    glViewport(0, 0, engine.shadowCubeWidth, engine.shadowCubeHeight);
    render.staticShadowCube.draw(*render.backend, false, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT,
                                 [&] {
                                     for (Mesh* mesh : casters) {
                                         engine.renderOmniShadow(*mesh, glm::mat4(1.0f));
                                     }
                                 });
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, kSize, kSize);
}

void PassRig::clearCube() { renderCube({}); }

void PassRig::renderLit(Mesh& mesh) {
    engine.renderLit(mesh, engine.projectionMatrix * engine.viewMatrix, glm::mat4(1.0f), nullptr);
}
