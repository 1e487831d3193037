#include "app/Engine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <glm/gtc/matrix_transform.hpp>

#include "GraphicsEngine/Platform.h"
#include "GraphicsEngine/ResourcePaths.h"
#include "app/Game.h"
#include "app/Keys.h"
#include "app/run/GlDebug.h"
#include "app/ObjectPrograms.h"
#include "game/Camera.h"
#include "game/Cuboid.h"
#include "game/Scene.h"
#include "game/SceneObject.h"
#include "particles/ParticleSystem.h"
#include "render/RenderState.h"

namespace {

// Every program of the system, in registration order; a back end may build
// some of them from files of its own (render/RenderBackend.h).
const ProgramFiles kPrograms[] = {
    {"default", "BaseShader.vert", nullptr, "BaseShader.frag", graph::Stages::Two,
     "UnlitShader.frag"},
    {"ground", "BaseShader.vert", nullptr, "GroundShader.frag", graph::Stages::Two},
    {"alpha", "AlphaShader.vert", nullptr, "AlphaShader.frag", graph::Stages::Two},
    {"plane", "PlaneShader.vert", nullptr, "PlaneShader.frag", graph::Stages::Two},
    {"sky", "SkyShader.vert", nullptr, "SkyShader.frag", graph::Stages::Two},
    {"shadow", "ShadowMapShader.vert", nullptr, "ShadowMapShader.frag", graph::Stages::Two},
    {"shadowOmni", "ShadowMapOmniFirstPassShader.vert", "ShadowMapOmniFirstPassShader.geom",
     "ShadowMapOmniFirstPassShader.frag", graph::Stages::Three},
    {"shadowOmniDebug", "shadowMapDebugCubeShader.vert", nullptr,
     "shadowMapDebugCubeShader.frag", graph::Stages::Two},
    {"sun", "SunShader.vert", nullptr, "SunShader.frag", graph::Stages::Two},
    {"threshold", "ScreenShader.vert", nullptr, "ThresholdShader.frag", graph::Stages::Two},
    {"blend", "ScreenShader.vert", nullptr, "BlendShader.frag", graph::Stages::Two},
    {"filter", "ScreenShader.vert", nullptr, "FilterShader.frag", graph::Stages::Two},
    {"halfDepth", "ScreenShader.vert", nullptr, "HalfDepthShader.frag", graph::Stages::Two},
    {"particleComposite", "ScreenShader.vert", nullptr, "ParticleCompositeShader.frag",
     graph::Stages::Two},
    {"edgeFilter", "ScreenShader.vert", nullptr, "EdgeFilterShader.frag", graph::Stages::Two},
    {"upscale", "ScreenShader.vert", nullptr, "UpscaleShader.frag", graph::Stages::Two},
    {"ps_update", "PSUpdate.vert", "PSUpdate.geom", "PSUpdate.frag",
     graph::Stages::ParticleCapture},
    {"ps_render", "PSRender.vert", "PSRender.geom", "PSRender.frag", graph::Stages::ParticleDraw},
    {"emberwight", "EmberwightShader.vert", nullptr, "EmberwightShader.frag",
     graph::Stages::Two, "UnlitShader.frag"},
};

}  // namespace

Engine::Engine() { keys::setStartValues(*this); }

Engine::~Engine() = default;

void Engine::startUp(unsigned width, unsigned height, bool fullscreen, Game* game, Scene* scene,
                     bool cameraTour) {
    this->game = game;
    this->scene = scene;
    this->width = width;
    this->height = height;
    this->cameraTour = cameraTour;
    totalTime = 0.0;
    scene->clock = SceneClock();
    const RunOptions& options = game->session.options;

    // Where frames go (app/surface/).
    SurfaceRequest request;
    request.width = width;
    request.height = height;
    request.fullscreen = fullscreen;
    request.glDebug = options.glDebug;
    request.eglDevice = options.eglDevice;
    request.gles = options.gles;
    std::string error;
    surface = openSurface(request, options.headless, error);
    if (surface == nullptr) fatalError(error);
    // The window system may not give the size asked for (a tiling window
    // manager, a full-screen mode, a scaled display): the frame follows it.
    followSurface();
    if (options.glDebug) gldebug::install();
    createGraphics(options.unlit);
    setUpCameraAndToggles();

    // What the command line asks for over the start values.
    if (options.placeCamera) {
        const float* pose = options.cameraPose;
        placeCamera(glm::vec3(pose[0], pose[1], pose[2]), pose[3], pose[4]);
    }
    render->glowEnabled = options.glow;
    render->showShadowCube = options.showShadowCube;
    game->session.panelOpen = options.panel;
    followPanel();  // the open panel frees the cursor
}

void Engine::fatalError(const std::string& message) {
    surface.reset();
    std::printf("Error:%s\n", message.c_str());
    platform::consolePause();
    std::exit(-1);
}

bool Engine::followSurface() {
    unsigned w = 0, h = 0;
    if (!surface->drawableSize(w, h)) return false;
    if (w != width || h != height) {
        width = w;
        height = h;
        projectionMatrix = camera::projection(width, height, scene->settings.camera.fieldOfView);
    }
    return true;
}

void Engine::createShaderPrograms(bool unlit) {
    // Without a render state (a test's engine), the desktop's programs.
    const std::vector<ProgramFiles> own =
        render != nullptr ? render->backend->ownPrograms() : std::vector<ProgramFiles>{};
    const graph::Dialect dialect =
        render != nullptr ? render->backend->dialect() : graph::Dialect::Desktop;
    for (ProgramFiles files : kPrograms) {
        for (const ProgramFiles& replacement : own) {
            if (std::strcmp(replacement.key, files.key) == 0) files = replacement;
        }
        const bool floor = unlit && files.unlitFragment != nullptr;
        shaders[files.key] = std::make_shared<graph::Shader>();
        shaders[files.key]->createProgram(
            {files.stages, paths::kShaderDir + files.vertex,
             paths::kShaderDir + (floor ? files.unlitFragment : files.fragment),
             files.geometry != nullptr ? paths::kShaderDir + files.geometry : "", dialect});
    }
}

void Engine::setGlobalState() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glClearColor(30.0f / 255.0f, 144.0f / 255.0f, 1.0f, 1.0f);
    glEnable(GL_CULL_FACE);
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
}

// Everything the scene needs from the GL context, once every program exists:
// environment, render targets, objects, particle systems and effigy textures.
void Engine::setUpScene() {
    scene->setGroundProgram(shaders["default"].get());
    scene->setSkyProgram(shaders["sky"].get());
    scene->setSunProgram(shaders["alpha"].get());

    createShadowMap();
    createShadowCube();
    // The static casters' cube, beside the frame's.
    render->staticShadowCube.create(*render->backend, shadowCubeTexture, shadowCubeFramebuffer,
                                    shadowCubeWidth, displayFramebuffer());

    scene->setupEnvironment();

    for (game::SceneObject* object : scene->objects) {
        object->setEngine(this);
        const char* key = programKeyForKind(object->getKind());
        if (key != nullptr) object->init(shaders[key].get());
    }

    for (ParticleSystem* system : scene->particleSystems) {
        const std::string name = system->getTextureName();
        const GLuint texture = system->usesAlphaBlending() ? textureCache.loadAlphaTexture(name)
                                                           : textureCache.loadTexture(name);
        system->setTexture(texture);
    }
    render->backend->setUpParticles(scene->particleSystems, shaders);

    fireLayerTexture = textureCache.loadTexture("fire_layer.tga");
    noiseTexture = textureCache.loadRepeatingTexture("noise.tga");

    // The debug cuboid gets its program but no engine: the frame hands it the
    // engine on each frame that the C toggle shows it.
    const auto debugProgram = shaders.find("shadowOmniDebug");
    if (scene->cuboid != nullptr && debugProgram != shaders.end()) {
        scene->cuboid->init(debugProgram->second.get());
    }
}

void Engine::createGraphics(bool unlit) {
    render->askCapabilities();
    createShaderPrograms(unlit);
    setGlobalState();
    setUpScene();
}

void Engine::releaseGraphics() {
    shaders.clear();
    textureCache.release();
    fireLayerTexture = noiseTexture = 0;
    releaseShadowTargets();
}

// Projection, camera, cursor and the render toggles' start values: the last
// stage of start-up, once the scene and every GL resource exist.
void Engine::setUpCameraAndToggles() {
    projectionMatrix = camera::projection(width, height, scene->settings.camera.fieldOfView);
    cameraUp = glm::vec3(0.0f, 1.0f, 0.0f);
    placeCamera(scene->cameraStart, 0.0f, 0.0f);  // looking along (1, 0, 1)

    surface->captureCursor();

    // Start values only: blending is already on, polygon mode is GL's fill, and
    // textures keep the filters the cache held when they were loaded.
    keys::setStartValues(*this);
    statusText.clear();
    statusTimer = 0.0f;
}
