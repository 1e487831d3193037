#pragma once
// The one engine record: the surface frames go to, camera, toggles, counters,
// timing, the GL registries and render targets. Its operations live with their
// subsystem: start-up in app/Engine.cpp, the clock in app/Game.cpp, input in
// app/Input.cpp, the overlay in app/Overlay.cpp, the panel in
// app/settings/SettingsPanel.cpp, the camera in game/Camera.cpp, the shadow
// targets in render/ShadowTargets.cpp and the passes in render/.
// What came later has records of its own: the passes' state
// (render/RenderState.h: the back end, the glow and box switches, the cube's
// sampler), the run's (app/run/Session.h: options, the panel) and the
// scene's clock (game/SceneClock.h, kept by the scene). The
// surface is the window, its full-screen flag, cursor and close flag behind
// one seam; `render` is the engine's way to the passes' state.

#include <GL/glew.h>

#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/TextureCache.h"
#include "app/surface/Surface.h"
#include "app/Toggles.h"
#include "game/Camera.h"

class Game;
class Scene;
class UiContext;
struct Mesh;
struct PointLight;
struct RenderState;
namespace graph {
class UniformLocations;
}
namespace game {
class SceneObject;
class StaticObject;
}  // namespace game

class Engine {
public:
    Game* game = nullptr;
    Scene* scene = nullptr;
    // The window or offscreen target; declared first so that it goes last,
    // after every GL object below.
    std::unique_ptr<Surface> surface;
    // The passes' own state, owned by the game.
    RenderState* render = nullptr;
    unsigned width = 0, height = 0;  // the surface's, followed every frame
    GLuint shadowMapTexture = 0, shadowMapFramebuffer = 0;
    GLuint shadowCubeTexture = 0, shadowCubeFramebuffer = 0;
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
    float frameTimeLimit = 0.0f;  // the toggles' start values: keys::setStartValues
    float frameTime = 0.0f;
    double totalTime = 0.0;

    // Render toggles and their key latches, started by the key table
    // (keys::setStartValues, from the constructor and start-up).
    bool showHelp = false, showFrameTime = false, wireframe = false;
    bool nearestSampling = false;
    int mipmapMode = 0;
    int fpsLimitMode = 0;
    bool showObjectCount = false, cullingEnabled = false, transparencyEnabled = false;
    bool showParticleCount = false;
    bool keyLatches[toggles::kKeyCount] = {};

    bool cameraTour = false;
    int objectsDrawn = 0, particlesCounted = 0;
    glm::vec3 viewDirection{0.0f};
    std::string statusText;
    float statusTimer = 0.0f;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up (app/Engine.cpp): the surface, then everything drawn into it.
    void startUp(unsigned width, unsigned height, bool fullscreen, Game* game, Scene* scene,
                 bool cameraTour);
    [[noreturn]] void fatalError(const std::string& message);
    // With `unlit`, the lit programs show their colour texture only (--unlit).
    void createShaderPrograms(bool unlit = false);
    void setGlobalState();
    void setUpScene();
    // Every GL object start-up makes, on the records as they stand: the
    // capabilities, programs, global state and scene (again after a lost
    // context); and the engine's own objects let go (render targets, programs,
    // textures).
    void createGraphics(bool unlit);
    void releaseGraphics();
    void setUpCameraAndToggles();
    // The frame takes the surface's size; false while there is nothing to draw into.
    bool followSurface();
    // The framebuffer every frame ends in and screenshots read.
    GLuint displayFramebuffer() const { return surface->framebuffer(); }

    // The clock (app/Game.cpp): the frame's time, the total and the scene's
    // (Scene::clock), which runs at the tuned time scale.
    void advanceClock(double elapsed, float timeScale);

    // Input and overlay (app/Input.cpp, app/Overlay.cpp). The input step polls
    // the surface, acts on ESC and the toggles and hands back the walking keys.
    camera::WalkKeys handleInput(double elapsed);
    // The cursor and the pass timer follow the panel's open state.
    void followPanel();
    bool panelTyping() const;
    // On the overlay for two seconds; echoed to the console unless the caller
    // has printed it already.
    void showStatus(std::string text, bool echo = true);
    void drawOverlay();
    // The settings panel over the frame, while open (app/settings/SettingsPanel.cpp).
    void drawPanel(double elapsed);
    // Dear ImGui's context that the panel and the ES text share, made the
    // first time either needs it (app/UiContext.cpp).
    UiContext& uiContext();

    // Camera (game/Camera.cpp).
    // Stands the camera at `position` looking along the yaw and pitch given.
    void placeCamera(const glm::vec3& position, float yaw, float pitch);
    void moveCamera(bool forward, bool back, bool left, bool right, double elapsed);
    void mouseLook();
    // The frame's one view, once the camera has moved and turned: the
    // projection and view matrices every pass draws with, from the same eye
    // and direction that culling and the particles take.
    void buildView();
    void flyTour();
    void updateFrustum();

    // The shadow targets (render/ShadowTargets.cpp); the frame's own come
    // from its plan (render/FrameTargets.h).
    void createShadowMap();
    void createShadowCube();
    void releaseShadowTargets();  // a lost context

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
