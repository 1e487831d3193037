#pragma once
// The one engine record: the surface frames go to, camera, toggles, counters,
// timing and the GL registries. Its operations live with their subsystem:
// start-up in app/Engine.cpp, input in app/Input.cpp, the overlay in
// app/Overlay.cpp, the camera in game/Camera.cpp and the passes in render/.

#include <GL/glew.h>

#include <glm/glm.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/TextureCache.h"
#include "app/KeyScript.h"
#include "app/RunOptions.h"
#include "app/Settings.h"
#include "app/Surface.h"
#include "app/Toggles.h"
#include "render/GlowPass.h"
#include "render/GpuPassTimer.h"
#include "render/MeshUniforms.h"
#include "render/StaticShadowCube.h"

class Game;
class Scene;
class SettingsPanel;
struct Mesh;
struct PointLight;
namespace game {
class SceneObject;
class StaticObject;
}  // namespace game

// A frustum plane; only `point` and `normal` start zeroed.
struct Plane {
    glm::vec3 point{0.0f};
    glm::vec3 normal{0.0f};
    float distance;
    Plane() : point(0.0f), normal(0.0f) {}
};

class Engine {
public:
    Game* game = nullptr;
    Scene* scene = nullptr;
    // The window or offscreen target; declared first so that it goes last,
    // after every GL object below.
    std::unique_ptr<Surface> surface;
    // Tab's panel, made the first time it opens; goes before the surface.
    std::unique_ptr<SettingsPanel> panel;
    unsigned width = 0, height = 0;  // the surface's, followed every frame
    GLuint shadowMapTexture = 0, shadowMapFramebuffer = 0;
    GLuint shadowCubeTexture = 0, shadowCubeFramebuffer = 0;
    GLuint shadowCubeSampler = 0;  // depth comparison on the cube, for the lit pass only
    StaticShadowCube staticShadowCube;  // the casters that never move, kept between frames
    glm::mat4 shadowBiasMatrix{1.0f};
    GLuint fireLayerTexture = 0, noiseTexture = 0;
    glm::mat4 projectionMatrix{1.0f};
    glm::mat4 viewMatrix{1.0f};
    glm::vec3 cameraPosition{0.0f};
    glm::vec3 cameraTarget{0.0f};
    glm::vec3 cameraUp{0.0f, 1.0f, 0.0f};
    float pitch = 0.0f, yaw = 0.0f;
    Plane frustumPlanes[6];
    bool echoStatus = false;
    graph::ProgramTable shaders;
    TextureCache textureCache;
    int shadowMapWidth = 0, shadowMapHeight = 0, shadowCubeWidth = 0, shadowCubeHeight = 0;
    float frameTimeLimit = 0.008333f;
    float frameTime = 0.0f;
    double totalTime = 0.0;
    // The scene's clock, at the tuned time scale: particles, flicker, the
    // effigy's fire and the turning structure follow it.
    float sceneFrameTime = 0.0f;
    double sceneTime = 0.0;

    // Render toggles and their key latches.
    bool showHelp = false, showFrameTime = false, wireframe = false;
    bool nearestSampling = true;
    int mipmapMode = 1;
    int fpsLimitMode = 2;
    bool showObjectCount = false, cullingEnabled = true, transparencyEnabled = true;
    bool showParticleCount = false;
    bool glowEnabled = false, showShadowCube = false;  // G, C
    bool panelOpen = false;    // Tab
    bool cursorFree = false;   // released for the panel; mouse look waits
    bool keyLatches[toggles::kKeyCount] = {};

    bool cameraTour = false;
    int objectsDrawn = 0, particlesCounted = 0;
    glm::vec3 viewDirection{0.0f};
    std::string statusText;
    float statusTimer = 0.0f;

    RunOptions options;
    Settings settings;  // the tuned look, read by the passes every frame
    bool screenshotRequested = false;  // F12: saved after this frame is drawn
    bool screenshotLatch = false;
    bool fullScreenLatch = false;      // F11
    GpuPassTimer passTimer;  // active while benchmarking and while the panel is open
    GlowPass glowPass;       // its targets exist from the first glowing frame on
    MeshUniforms meshUniforms;  // the mesh passes' uniform locations, per program
    KeyScript keyScript;     // --auto-keys

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up (app/Engine.cpp): the surface, then everything drawn into it.
    void startUp(unsigned width, unsigned height, bool fullscreen, Game* game, Scene* scene,
                 bool cameraTour);
    [[noreturn]] void fatalError(const std::string& message);
    void createShaderPrograms();
    void setGlobalState();
    void setUpScene();
    void setUpCameraAndToggles();
    // The frame takes the surface's size; false while there is nothing to draw into.
    bool followSurface();
    // The framebuffer every frame ends in and screenshots read.
    GLuint displayFramebuffer() const { return surface->framebuffer(); }

    // Input and overlay (app/Input.cpp, app/Overlay.cpp).
    void handleInput(double elapsed);
    // The cursor and the pass timer follow the panel's open state.
    void followPanel();
    bool panelTyping() const;
    // On the overlay for two seconds; echoed to the console unless the caller
    // has printed it already.
    void showStatus(std::string text, bool echo = true);
    void drawOverlay();
    // The settings panel over the frame, while open (app/SettingsPanel.cpp).
    void drawPanel(double elapsed);

    // Camera (game/Camera.cpp).
    void moveCamera(bool forward, bool back, bool left, bool right, double elapsed);
    void mouseLook();
    void flyTour();
    void updateFrustum();

    // Render targets (GraphicsEngine/RenderTargets.cpp).
    void createShadowMap();
    void createShadowCube();

    // Passes (render/).
    void renderLit(Mesh& mesh, const glm::mat4& currentMatrix, const glm::mat4& modelMatrix,
                   game::SceneObject* object);
    void setPointLights(const graph::UniformLocations& at, unsigned count, PointLight* lights);
    void renderEffigy(Mesh& mesh, const glm::mat4& currentMatrix, const glm::mat4& modelMatrix,
                      game::StaticObject* object);
    void renderShadow(Mesh& mesh, game::StaticObject* object, const glm::mat4& modelMatrix);
    void renderOmniShadow(Mesh& mesh, const glm::mat4& modelMatrix);
    // The frame's shadow cube from the static one and the moving casters.
    void renderShadowCube(const std::vector<game::SceneObject*>& objects);
    void renderDepth(Mesh& mesh, const glm::mat4& currentMatrix);
};
