// Whole frames of the assembled scene (stand-in cube models and tiny images):
// the counters, the culling rule, the object states and the GL state that a
// frame leaves behind.
#include <gtest/gtest.h>

#include "app/Engine.h"
// After GLEW, which must come before any other GL header.
#include <GL/freeglut.h>

#include <algorithm>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Game.h"
#include "game/Cuboid.h"
#include "game/Scene.h"
#include "game/StaticObject.h"
#include "particles/ParticleSystem.h"
#include "support/GlContext.h"
#include "support/SceneFiles.h"
#include "support/TempDataRoot.h"

namespace {

bool deleting(GLuint name, bool program) {
    GLint flagged = GL_FALSE;
    if (program) {
        glGetProgramiv(name, GL_DELETE_STATUS, &flagged);
    } else {
        glGetShaderiv(name, GL_DELETE_STATUS, &flagged);
    }
    return flagged == GL_TRUE;
}

// Every object name of the context that GL says is alive, as "kind name";
// a program or shader flagged for deletion counts as deleted (the driver may
// hold one a while longer).
std::set<std::string> liveNames() {
    struct Kind {
        const char* name;
        GLboolean (*is)(GLuint);
    };
    const Kind kinds[] = {
        {"texture", [](GLuint n) { return glIsTexture(n); }},
        {"buffer", [](GLuint n) { return glIsBuffer(n); }},
        {"framebuffer", [](GLuint n) { return glIsFramebuffer(n); }},
        {"renderbuffer", [](GLuint n) { return glIsRenderbuffer(n); }},
        {"vertex array", [](GLuint n) { return glIsVertexArray(n); }},
        {"sampler", [](GLuint n) { return glIsSampler(n); }},
        {"query", [](GLuint n) { return glIsQuery(n); }},
        {"program", [](GLuint n) { return GLboolean(glIsProgram(n) && !deleting(n, true)); }},
        {"shader", [](GLuint n) { return GLboolean(glIsShader(n) && !deleting(n, false)); }},
        {"transform feedback", [](GLuint n) { return glIsTransformFeedback(n); }},
    };
    std::set<std::string> names;
    for (const Kind& kind : kinds) {
        for (GLuint name = 1; name < 4096; ++name) {
            if (kind.is(name)) names.insert(std::string(kind.name) + " " + std::to_string(name));
        }
    }
    return names;
}

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

class Frame : public testing::Test {
protected:
    // On the desktop back end, or on OpenGL ES's in an ES context.
    explicit Frame(bool es = false) : context(320, 240, es) {
        game.render.backend = RenderBackend::create(es);
    }

    GlContext context;
    TempDataRoot root;
    Game game;
    Engine& engine = game.engine;
    std::set<std::string> contextsOwn;  // the test context's names, before the game's

    void SetUp() override {
        contextsOwn = liveNames();
        static bool glutReady = false;
        if (!glutReady) {
            int argc = 1;
            char name[] = "gl_tests";
            char* argv[] = {name, nullptr};
            glutInit(&argc, argv);
            glutReady = true;
        }
        ASSERT_TRUE(scene_files::writeAll(root.path(), EMBERWIGHT_SHADER_DIR));
        testing::internal::CaptureStdout();
        game.scene = new Scene(&engine);
        engine.scene = game.scene;
        engine.game = &game;
        engine.render = &game.render;
        engine.surface = context.surface();
        game.render.askCapabilities();
        // Unfiltered, whatever the renderer's default; a test asks for a mode.
        game.scene->settings.picture.antialias = 1 + static_cast<int>(antialias::Mode::Off);
        engine.width = 320;
        engine.height = 240;
        engine.createShaderPrograms();
        engine.setGlobalState();
        engine.setUpScene();
        engine.setUpCameraAndToggles();
        testing::internal::GetCapturedStdout();
        context.clearErrors();
    }

    Scene& scene() { return *game.scene; }

    // One frame as the frame step runs it, after its input step and camera.
    void frame(double elapsed = 1.0 / 60.0) {
        engine.advanceClock(elapsed, scene().settings.time.scale);
        game.updateScene();
        game.renderFrame(elapsed);
        engine.drawOverlay();
    }

    void look(glm::vec3 direction) {
        engine.viewDirection = direction;
        engine.viewMatrix = glm::lookAt(engine.cameraPosition,
                                        engine.cameraPosition + 10.0f * direction, engine.cameraUp);
    }

    std::vector<float> cubeFace(int face) {
        std::vector<float> depth(1024u * 1024u);
        glBindTexture(GL_TEXTURE_CUBE_MAP, engine.shadowCubeTexture);
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                      depth.data());
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
        return depth;
    }
    std::vector<float> wholeCube() {
        std::vector<float> all;
        for (int face = 0; face < 6; ++face) {
            const std::vector<float> depth = cubeFace(face);
            all.insert(all.end(), depth.begin(), depth.end());
        }
        return all;
    }
    // The frame's cube drawn afresh from every caster, as each frame once did.
    std::vector<float> cubeDrawnAfresh() {
        glBindFramebuffer(GL_FRAMEBUFFER, engine.shadowCubeFramebuffer);
        glViewport(0, 0, 1024, 1024);
        glClear(GL_DEPTH_BUFFER_BIT);
        for (game::SceneObject* object : scene().objects) {
            if (object->state != game::kPassedOver) object->drawOmniShadow();
        }
        engine.renderOmniShadow(scene().groundMesh, glm::mat4(1.0f));
        return wholeCube();
    }
};

size_t differing(const std::vector<float>& a, const std::vector<float>& b) {
    size_t count = 0;
    for (size_t i = 0; i < a.size(); ++i) count += a[i] != b[i] ? 1 : 0;
    return count + (a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

}  // namespace

// Each pass sets the whole state it draws with: whatever GL state the last
// frame (or anything after it) left, the next draws the same picture, and it
// ends in the display framebuffer, over all of it.
TEST_F(Frame, EachPassSetsItsOwnStateWhateverTheFrameBeforeLeft) {
    std::vector<ParticleSystem*> systems;
    look(glm::vec3(1.0f, 0.0f, 1.0f));
    auto picture = [&] {
        frame(0.0);
        std::vector<unsigned char> pixels(320u * 240u * 4u);
        glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    for (int i = 0; i < 5; ++i) frame(0.1);
    for (const bool glow : {false, true}) {
        SCOPED_TRACE(glow ? "glow" : "no glow");
        game.render.glowEnabled = glow;
        const std::vector<unsigned char> before = picture();
        EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
        EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 320);
        EXPECT_EQ(viewport[3], 240);

        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glDepthFunc(GL_GREATER);
        glDepthMask(GL_FALSE);
        glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE);
        glCullFace(GL_FRONT);
        glDisable(GL_DEPTH_TEST);
        glViewport(0, 0, 7, 5);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        EXPECT_TRUE(picture() == before);
    }
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(Frame, CountsEveryObjectWithCullingOffAndFewerLookingAway) {
    engine.cullingEnabled = false;
    frame();
    EXPECT_EQ(engine.objectsDrawn, 12);

    engine.cullingEnabled = true;
    look(glm::vec3(1.0f, 0.0f, 1.0f));  // from the start towards the fire
    frame();
    const int towards = engine.objectsDrawn;
    EXPECT_GE(towards, 4);
    look(glm::vec3(-1.0f, 0.0f, -1.0f));  // turned round, away from the scene
    frame();
    EXPECT_LT(engine.objectsDrawn, towards);
    EXPECT_LE(engine.objectsDrawn, 3);

    // With culling off the planes are not refreshed; every object is drawn.
    const glm::vec3 nearNormal = engine.frustumPlanes[0].normal;
    engine.cullingEnabled = false;
    look(glm::vec3(1.0f, 0.0f, 1.0f));
    frame();
    EXPECT_EQ(engine.objectsDrawn, 12);
    EXPECT_EQ(engine.frustumPlanes[0].normal, nearNormal);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(Frame, ObjectsInStateFourAreNeitherUpdatedNorCounted) {
    engine.cullingEnabled = false;
    auto* turning = static_cast<game::StaticObject*>(scene().objects.at(10));
    ASSERT_EQ(turning->kind, 2);
    frame(0.5);
    EXPECT_FLOAT_EQ(turning->rotationAngles.y, 9.0f);  // 18 degrees a second
    turning->state = 4;
    frame(0.5);
    EXPECT_FLOAT_EQ(turning->rotationAngles.y, 9.0f);
    EXPECT_EQ(engine.objectsDrawn, 11);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(Frame, ParticlesAreAdvancedAndCountedInListOrder) {
    ASSERT_EQ(scene().particleSystems.size(), 44u);
    for (int i = 0; i < 5; ++i) frame(0.1);
    int sum = 0;
    for (ParticleSystem* system : scene().particleSystems) sum += system->numParticles;
    EXPECT_GT(engine.particlesCounted, 0);
    EXPECT_EQ(engine.particlesCounted, sum);

    // Without particle systems the count stays 0.
    std::vector<ParticleSystem*> systems;
    systems.swap(scene().particleSystems);
    frame();
    EXPECT_EQ(engine.particlesCounted, 0);
    systems.swap(scene().particleSystems);
    EXPECT_TRUE(context.errors().empty());
}

namespace {

// The frame's particle calls in order: 'u' an update's query ended, 'r' a
// count read, 'd' the render program taken up for a draw.
std::string gParticleCalls;
GLuint gRenderProgram = 0;
PFNGLENDQUERYPROC gEndQuery = nullptr;
PFNGLGETQUERYOBJECTUIVPROC gGetQueryObjectuiv = nullptr;
PFNGLUSEPROGRAMPROC gUseProgram = nullptr;

void GLAPIENTRY endQuery(GLenum target) {
    if (target == GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN) gParticleCalls += 'u';
    gEndQuery(target);
}
void GLAPIENTRY getQueryObjectuiv(GLuint query, GLenum name, GLuint* value) {
    if (name == GL_QUERY_RESULT) gParticleCalls += 'r';
    gGetQueryObjectuiv(query, name, value);
}
void GLAPIENTRY useProgram(GLuint program) {
    if (program != 0 && program == gRenderProgram) gParticleCalls += 'd';
    gUseProgram(program);
}

}  // namespace

TEST_F(Frame, ParticleCountsAreReadOnlyAfterTheLastUpdate) {
    gRenderProgram = engine.shaders.at("ps_render")->program;
    gEndQuery = glEndQuery;
    gGetQueryObjectuiv = glGetQueryObjectuiv;
    gUseProgram = glUseProgram;
    glEndQuery = endQuery;
    glGetQueryObjectuiv = getQueryObjectuiv;
    glUseProgram = useProgram;
    gParticleCalls.clear();
    frame();
    glEndQuery = gEndQuery;
    glGetQueryObjectuiv = gGetQueryObjectuiv;
    glUseProgram = gUseProgram;
    // 44 updates, 44 draws of what the GPU counted, then 44 reads (the first
    // waits, the others find their results ready).
    EXPECT_EQ(gParticleCalls, std::string(44, 'u') + std::string(44, 'd') + std::string(44, 'r'));
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(Frame, TheShadowCubeHoldsTheSceneUnlessCastersAreOff) {
    frame();
    // Straight down from the fire light (face -y) lies the platform top.
    const std::vector<float> below = cubeFace(3);
    // Its projected depth (near 1, far 100) back as a distance: a few units.
    const float centre = below[512u * 1024u + 512u];
    const float distance = 100.0f / (100.0f - centre * 99.0f);
    EXPECT_GT(distance, 1.0f);
    EXPECT_LT(distance, 20.0f);

    game.render.shadowCasters = false;
    frame();
    for (int face = 0; face < 6; ++face) {
        const std::vector<float> cleared = cubeFace(face);
        EXPECT_FLOAT_EQ(cleared[512u * 1024u + 512u], 1.0f) << face;
        EXPECT_FLOAT_EQ(cleared[0], 1.0f) << face;
    }
    EXPECT_TRUE(context.errors().empty());
}

// The frame's cube is the static casters' cube copied with the moving ones on
// top: read back, it equals the cube drawn afresh from every caster, on both
// copy paths, while the structure turns and after whatever refills it.
TEST_F(Frame, TheShadowCubeFromTheStaticOneEqualsOneDrawnAfresh) {
    StaticShadowCube& kept = game.render.staticShadowCube;
    frame(0.5);
    EXPECT_EQ(kept.fills, 1);
    const std::vector<float> first = wholeCube();
    EXPECT_EQ(differing(first, cubeDrawnAfresh()), 0u);

    for (bool copiesImages : {true, false}) {
        kept.copiesImages = copiesImages;
        frame(0.5);  // the structure turns 9 degrees
        const std::vector<float> turned = wholeCube();
        EXPECT_GT(differing(turned, first), 1000u) << copiesImages;  // its shadow moved
        EXPECT_EQ(differing(turned, cubeDrawnAfresh()), 0u) << copiesImages;
    }
    EXPECT_EQ(kept.fills, 1);

    // A live reload of the shadow program.
    graph::BuildFailure failure;
    std::unique_ptr<graph::Shader> build = engine.shaders.at("shadowOmni")->rebuilt(failure);
    ASSERT_TRUE(build) << failure.headline;
    engine.shaders.at("shadowOmni")->replaceWith(*build);
    frame();
    EXPECT_EQ(kept.fills, 2);
    EXPECT_EQ(differing(wholeCube(), cubeDrawnAfresh()), 0u);

    // Casters off leave the cube cleared; back on, the static cube is drawn again.
    game.render.shadowCasters = false;
    frame();
    game.render.shadowCasters = true;
    frame();
    EXPECT_EQ(kept.fills, 3);
    EXPECT_EQ(differing(wholeCube(), cubeDrawnAfresh()), 0u);

    // A rock that moves: drawn again without it, then with the moving ones.
    auto* rock = static_cast<game::StaticObject*>(scene().objects.at(0));
    ASSERT_TRUE(rock->shadowCasting().casts);
    const glm::vec3 light = scene().pointLights[0].Position;
    for (float x : {3.0f, 4.0f}) {
        const std::vector<float> before = wholeCube();
        rock->modelMatrix = glm::translate(glm::mat4(1.0f), light + glm::vec3(x, -2.0f, 0.0f));
        frame(0.0);  // the structure stands still
        EXPECT_GT(differing(wholeCube(), before), 1000u) << x;  // beside the light now
        EXPECT_EQ(kept.fills, 4) << x;
        EXPECT_TRUE(kept.wasSeenMoving(rock));
        EXPECT_EQ(differing(wholeCube(), cubeDrawnAfresh()), 0u) << x;
    }

    // An object passed over leaves the static cube.
    scene().objects.at(9)->state = game::kPassedOver;
    frame();
    EXPECT_EQ(kept.fills, 5);
    EXPECT_EQ(differing(wholeCube(), cubeDrawnAfresh()), 0u);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(Frame, GlowTargetsFollowTheSize) {
    game.render.glowEnabled = true;
    frame();
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    GLint size[2] = {};
    glBindTexture(GL_TEXTURE_2D, game.render.glow.levelTexture(2));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
    EXPECT_EQ(size[0], 10);  // 320 / 32
    EXPECT_EQ(size[1], 7);

    // A resized framebuffer: the targets follow at the next frame.
    engine.width = 200;
    engine.height = 100;
    frame();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 100);
    glBindTexture(GL_TEXTURE_2D, game.render.targets[frame::Target::Scene].colour());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(size[0], 200);
    EXPECT_EQ(size[1], 100);
    // A minimised window (no size) draws without the glow rather than fail.
    engine.width = 0;
    engine.height = 0;
    frame();
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(Frame, GlowTurnsItselfOffWithOneLineWhenGlRefusesItsTargets) {
    // Wider than any texture: the scene target gets no storage (GL says so
    // once) and is incomplete; the frame draws on without the glow.
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    game.render.glowEnabled = true;
    engine.width = static_cast<unsigned>(largest) + 1;
    testing::internal::CaptureStdout();
    frame();
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(game.render.glowEnabled);
    EXPECT_EQ(printed.rfind("Glow: OFF, the scene target is incomplete (0x", 0), 0u) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    context.clearErrors();

    // At a size GL accepts, G brings it back.
    engine.width = 320;
    game.render.glowEnabled = true;
    frame();
    EXPECT_TRUE(game.render.glowEnabled);
    EXPECT_TRUE(game.render.glow.failure().empty());
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(Frame, GlowOffDrawsThePictureItDrewBeforeTheGlowWasOn) {
    // Without particles and with no time passing every frame is the same.
    std::vector<ParticleSystem*> systems;
    systems.swap(scene().particleSystems);
    look(glm::vec3(1.0f, 0.0f, 1.0f));
    auto picture = [this] {
        frame(0.0);
        std::vector<unsigned char> pixels(320u * 240u * 4u);
        glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> before = picture();
    game.render.glowEnabled = true;
    const std::vector<unsigned char> glowing = picture();
    // Its programs rebuilt in place, as a saved file does: the glow finds the
    // new programs' uniforms and draws the same picture.
    for (const char* key : {"threshold", "filter", "blend"}) {
        graph::BuildFailure failure;
        std::unique_ptr<graph::Shader> rebuilt = engine.shaders.at(key)->rebuilt(failure);
        ASSERT_TRUE(rebuilt) << key << ": " << failure.headline;
        engine.shaders.at(key)->replaceWith(*rebuilt);
    }
    EXPECT_TRUE(picture() == glowing);
    game.render.glowEnabled = false;
    const std::vector<unsigned char> after = picture();
    systems.swap(scene().particleSystems);
    EXPECT_TRUE(before == after);
    EXPECT_FALSE(before == glowing);  // the tone curve at least touches the lit surfaces
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

// The particles drawn at half size and laid over the scene: near the
// picture drawn at the whole size, on the scene's own target and through the
// glow's, and the frame leaves no GL error.
TEST_F(Frame, ParticlesAtHalfSizeLookAsAtTheWholeSize) {
    for (int i = 0; i < 10; ++i) frame(0.1);
    auto picture = [this] {
        frame(0.0);  // the particles stay as they are
        std::vector<unsigned char> pixels(320u * 240u * 4u);
        glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    auto meanDifference = [](const std::vector<unsigned char>& a,
                             const std::vector<unsigned char>& b) {
        double sum = 0.0;
        for (size_t i = 0; i < a.size(); i += 4) {
            for (size_t c = 0; c < 3; ++c) sum += std::abs(int(a[i + c]) - int(b[i + c]));
        }
        return sum / (a.size() / 4 * 3) / 255.0;
    };
    for (bool glow : {false, true}) {
        game.render.glowEnabled = glow;
        game.render.offscreenParticles.enabled = false;
        const std::vector<unsigned char> whole = picture();
        std::vector<ParticleSystem*> systems;
        systems.swap(scene().particleSystems);
        const std::vector<unsigned char> none = picture();
        systems.swap(scene().particleSystems);
        game.render.offscreenParticles.enabled = true;
        const std::vector<unsigned char> half = picture();
        EXPECT_GT(meanDifference(whole, none), 0.002) << "glow " << glow << ": no fire in view";
        EXPECT_LT(meanDifference(half, whole), 0.01) << "glow " << glow;
        EXPECT_LT(meanDifference(half, whole), meanDifference(whole, none) / 4) << "glow " << glow;
    }
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

// A lost context: every GL object let go, whatever the frames made (the
// glow's and the frame's targets at a render scale, the box, the pass
// timer's queries), and made again on the records as they stand, draws the
// same picture; the fire goes on from empty pools.
TEST_F(Frame, GraphicsMadeAgainDrawTheSamePictureAndNoObjectOutlivesTheRelease) {
    std::vector<ParticleSystem*> systems;
    look(glm::vec3(1.0f, 0.0f, 1.0f));
    game.render.glowEnabled = true;
    auto picture = [&] {
        systems.swap(scene().particleSystems);
        frame(0.0);
        systems.swap(scene().particleSystems);
        std::vector<unsigned char> pixels(320u * 240u * 4u);
        glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    game.render.timer.active = game.render.timer.supported();
    game.render.showShadowCube = true;
    game.render.scale.setScale(0.5f);
    frame();
    game.render.scale.setScale(1.0f);
    game.render.glowEnabled = false;
    frame();
    game.render.timer.endFrame();
    game.render.showShadowCube = false;
    game.render.glowEnabled = true;
    frame();
    const std::vector<unsigned char> before = picture();
    testing::internal::CaptureStdout();
    game.releaseGraphics();
    const std::set<std::string> live = liveNames();
    game.createGraphicsAgain();
    testing::internal::GetCapturedStdout();
    std::string outlived;
    for (const std::string& name : live) {
        if (contextsOwn.count(name) == 0) outlived += " " + name;
    }
    EXPECT_EQ(outlived, "");
    EXPECT_TRUE(picture() == before);
    frame();
    EXPECT_GT(engine.particlesCounted, 0);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST_F(Frame, TheShadowCubeBoxIsDrawnButNotCounted) {
    engine.cullingEnabled = false;
    // Close below the box (centred 8 units behind its position), looking up
    // at it: its sides see the open night, its bottom the platform below.
    const glm::vec3 centre = scene().cuboid->position + glm::vec3(0.0f, 0.0f, -8.0f);
    engine.cameraPosition = centre + glm::vec3(0.0f, -1.0f, -2.0f);
    look(glm::normalize(centre - engine.cameraPosition));
    auto picture = [] {
        std::vector<unsigned char> pixels(320u * 240u * 4u);
        glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    frame();
    const int counted = engine.objectsDrawn;
    const std::vector<unsigned char> without = picture();
    game.render.showShadowCube = true;
    frame(0.5);  // turned by 45 degrees
    EXPECT_EQ(engine.objectsDrawn, counted);
    const std::vector<unsigned char> with = picture();
    // Where the box covers the scene it shows grey levels, and not one flat
    // grey: its faces look at different distances.
    int covered = 0, darkest = 255, lightest = 0;
    for (size_t i = 0; i < with.size(); i += 4) {
        const bool changed = with[i] != without[i] || with[i + 1] != without[i + 1];
        if (!changed || with[i] != with[i + 1] || with[i + 1] != with[i + 2]) continue;
        covered += 1;
        darkest = std::min<int>(darkest, with[i]);
        lightest = std::max<int>(lightest, with[i]);
    }
    EXPECT_GT(covered, 2000);
    EXPECT_GT(lightest - darkest, 80) << darkest << " to " << lightest;
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

// Below a render scale of 1 the scene is the frame drawn at the scaled size,
// scaled up: each pixel lies between the 2 x 2 pixels of that small frame
// around it, through the upscale as through the bilinear blit, and the
// upscale comes closer to the frame drawn at the whole size than the blit,
// over the whole picture and at its edges. At 1 the frame is the one drawn
// before, to the pixel.
TEST_F(Frame, ARenderScaleDrawsTheSmallFrameScaledUpAndOneDrawsAsBefore) {
    std::vector<ParticleSystem*> systems;
    systems.swap(scene().particleSystems);
    look(glm::vec3(1.0f, -0.15f, 1.0f));
    auto picture = [this](int width, int height) {
        frame(0.0);
        std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 4));
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> plain = picture(320, 240);
    EXPECT_EQ(game.render.targets[frame::Target::Scene].framebuffer(), 0u);  // no copy at 1
    for (const bool glow : {false, true}) {
        SCOPED_TRACE(glow ? "glow" : "no glow");
        game.render.glowEnabled = glow;
        game.render.scale.setScale(1.0f);
        const std::vector<unsigned char> whole = picture(320, 240);
        engine.width = 160;
        engine.height = 120;
        const std::vector<unsigned char> small = picture(160, 120);
        engine.width = 320;
        engine.height = 240;
        game.render.scale.setScale(0.5f);
        // The mean channel difference from the whole-size frame, everywhere
        // and where the whole-size frame has an edge (its brightness steps
        // by more than 32 to a neighbour).
        double distance[2] = {}, edgeDistance[2] = {};
        for (const bool bilinear : {false, true}) {
            game.render.bilinearUpscale = bilinear;
            const std::vector<unsigned char> scaled = picture(320, 240);
            EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
            GLint viewport[4] = {};
            glGetIntegerv(GL_VIEWPORT, viewport);
            EXPECT_EQ(viewport[2], 320);
            EXPECT_EQ(viewport[3], 240);
            EXPECT_FALSE(scaled == whole);
            size_t outside = 0, edges = 0;
            double sum = 0.0, edgeSum = 0.0;
            auto luma = [&whole](int x, int y) {
                const size_t i = static_cast<size_t>((std::clamp(y, 0, 239) * 320 +
                                                      std::clamp(x, 0, 319)) * 4);
                return 0.299 * whole[i] + 0.587 * whole[i + 1] + 0.114 * whole[i + 2];
            };
            for (int y = 0; y < 240; ++y) {
                for (int x = 0; x < 320; ++x) {
                    // The centre of pixel x in the small frame's pixels.
                    const int x0 = std::clamp((x - 1) / 2, 0, 159), x1 = std::min(x0 + 1, 159);
                    const int y0 = std::clamp((y - 1) / 2, 0, 119), y1 = std::min(y0 + 1, 119);
                    const double l = luma(x, y);
                    const bool edge = std::abs(luma(x + 1, y) - l) > 32.0 ||
                                      std::abs(luma(x - 1, y) - l) > 32.0 ||
                                      std::abs(luma(x, y + 1) - l) > 32.0 ||
                                      std::abs(luma(x, y - 1) - l) > 32.0;
                    edges += edge ? 1 : 0;
                    for (int c = 0; c < 3; ++c) {
                        int low = 255, high = 0;
                        for (const int sx : {x0, x1}) {
                            for (const int sy : {y0, y1}) {
                                const int v = small[static_cast<size_t>((sy * 160 + sx) * 4 + c)];
                                low = std::min(low, v);
                                high = std::max(high, v);
                            }
                        }
                        const size_t i = static_cast<size_t>((y * 320 + x) * 4 + c);
                        const int v = scaled[i];
                        outside += v < low - 1 || v > high + 1 ? 1 : 0;
                        const int off = std::abs(v - whole[i]);
                        sum += off;
                        edgeSum += edge ? off : 0;
                    }
                }
            }
            EXPECT_EQ(outside, 0u) << (bilinear ? "bilinear" : "upscale");
            ASSERT_GT(edges, 200u);
            distance[bilinear] = sum / (320.0 * 240.0 * 3.0 * 255.0);
            edgeDistance[bilinear] = edgeSum / (static_cast<double>(edges) * 3.0 * 255.0);
        }
        game.render.bilinearUpscale = false;
        EXPECT_LT(distance[0], 0.9 * distance[1])
            << "upscale " << distance[0] << ", bilinear " << distance[1];
        EXPECT_LT(edgeDistance[0], 0.97 * edgeDistance[1])
            << "upscale " << edgeDistance[0] << ", bilinear " << edgeDistance[1];
    }
    game.render.glowEnabled = false;
    game.render.scale.setScale(1.0f);
    const std::vector<unsigned char> again = picture(320, 240);
    systems.swap(scene().particleSystems);
    EXPECT_TRUE(again == plain);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

class FrameOnBothBackEnds : public Frame, public testing::WithParamInterface<bool> {
protected:
    FrameOnBothBackEnds() : Frame(GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(BothBackEnds, FrameOnBothBackEnds, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Es" : "Desktop";
                         });

// Each anti-aliasing against the same frozen frame drawn at 4 x the size and
// box-filtered down, at the pixels a geometric edge crosses (a 4 x 4 block of
// the large frame that is not of one brightness): post and msaa come closer
// than off. The text drawn after the filter keeps its pixels.
TEST_P(FrameOnBothBackEnds, AntialiasingComesCloserToASupersampledFrameAndLeavesTheTextSharp) {
    std::vector<ParticleSystem*> systems;
    systems.swap(scene().particleSystems);
    look(glm::vec3(1.0f, -0.15f, 1.0f));
    auto picture = [this](antialias::Mode mode, int width, int height) {
        scene().settings.picture.antialias = static_cast<int>(mode) + 1;
        engine.width = static_cast<unsigned>(width);
        engine.height = static_cast<unsigned>(height);
        frame(0.0);
        EXPECT_EQ(game.render.antialias, mode);
        std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 4));
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    auto luma = [](const std::vector<unsigned char>& p, size_t i) {
        return 0.299 * p[i] + 0.587 * p[i + 1] + 0.114 * p[i + 2];
    };
    const int w = 80, h = 60;
    const std::vector<unsigned char> large = picture(antialias::Mode::Off, 4 * w, 4 * h);
    std::vector<double> reference(static_cast<size_t>(w * h * 3));
    std::vector<bool> edge(static_cast<size_t>(w * h));
    int edges = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double low = 255.0, high = 0.0;
            for (int j = 0; j < 16; ++j) {
                const size_t i = static_cast<size_t>(((4 * y + j / 4) * 4 * w + 4 * x + j % 4) * 4);
                low = std::min(low, luma(large, i));
                high = std::max(high, luma(large, i));
                for (int c = 0; c < 3; ++c) {
                    reference[static_cast<size_t>((y * w + x) * 3 + c)] += large[i + c] / 16.0;
                }
            }
            edge[static_cast<size_t>(y * w + x)] = high - low > 32.0;
            edges += high - low > 32.0 ? 1 : 0;
        }
    }
    ASSERT_GT(edges, 40);
    auto distance = [&](antialias::Mode mode) {
        const std::vector<unsigned char> small = picture(mode, w, h);
        double sum = 0.0;
        for (int i = 0; i < w * h; ++i) {
            if (!edge[static_cast<size_t>(i)]) continue;
            for (int c = 0; c < 3; ++c) {
                sum += std::abs(small[static_cast<size_t>(i * 4 + c)] -
                                reference[static_cast<size_t>(i * 3 + c)]);
            }
        }
        return sum / (edges * 3 * 255.0);
    };
    const double off = distance(antialias::Mode::Off);
    const double post = distance(antialias::Mode::Post);
    const double msaa = distance(antialias::Mode::Msaa);
    EXPECT_LT(post, 0.8 * off) << "off " << off << ", post " << post;
    EXPECT_LT(msaa, 0.5 * off) << "off " << off << ", msaa " << msaa;

    // The status line over the filtered picture: where it changes the
    // unfiltered picture, it leaves the filtered one the same pixels.
    const std::vector<unsigned char> bare = picture(antialias::Mode::Off, 320, 240);
    engine.statusText = "Anti-aliasing: the text stays sharp";
    const std::vector<unsigned char> text = picture(antialias::Mode::Off, 320, 240);
    const std::vector<unsigned char> filtered = picture(antialias::Mode::Post, 320, 240);
    engine.statusText.clear();
    size_t textPixels = 0, changed = 0;
    for (size_t i = 0; i < text.size(); i += 4) {
        if (std::equal(&text[i], &text[i] + 3, &bare[i])) continue;
        ++textPixels;
        changed += std::equal(&text[i], &text[i] + 3, &filtered[i]) ? 0 : 1;
    }
    EXPECT_GT(textPixels, 100u);
    EXPECT_EQ(changed, 0u);
    systems.swap(scene().particleSystems);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}
