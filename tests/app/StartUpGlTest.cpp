// The scene half of start-up against small stand-in files: what it prints,
// in which order, and what every object, system and mesh ends up holding.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Engine.h"
// After GLEW, which must come before any other GL header.
#include <GL/freeglut.h>
#include "app/Game.h"
#include "game/Cuboid.h"
#include "game/Scene.h"
#include "game/StaticObject.h"
#include "particles/ParticleSystem.h"
#include "support/GlContext.h"
#include "support/SceneFiles.h"
#include "support/TempDataRoot.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

size_t count(const std::vector<std::string>& all, const std::string& line) {
    return static_cast<size_t>(std::count(all.begin(), all.end(), line));
}

size_t countPrefix(const std::vector<std::string>& all, const std::string& prefix) {
    return static_cast<size_t>(std::count_if(all.begin(), all.end(), [&](const std::string& l) {
        return l.rfind(prefix, 0) == 0;
    }));
}

void initGlutOnce() {
    static bool done = false;
    if (done) return;
    int argc = 1;
    char name[] = "gl_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    done = true;
}

// The demo's own order: the scene is built first, then start-up runs.
struct World {
    GlContext context{320, 240};
    TempDataRoot root;
    Game game;
    Engine& engine = game.engine;
    std::string transcript;

    explicit World(const std::vector<std::string>& missing = {}) {
        initGlutOnce();
        EXPECT_TRUE(scene_files::writeAll(root.path(), EMBERWIGHT_SHADER_DIR));
        for (const std::string& name : missing) {
            std::filesystem::remove(root.modelPath(name));
            std::filesystem::remove(root.texturePath(name));
        }
        testing::internal::CaptureStdout();
        game.scene = new Scene(&engine);
        engine.scene = game.scene;
        engine.game = &game;
        engine.render = &game.render;
        engine.surface = context.surface();
        engine.width = 320;
        engine.height = 240;
        engine.createShaderPrograms();
        engine.setGlobalState();
        engine.setUpScene();
        engine.setUpCameraAndToggles();
        transcript = testing::internal::GetCapturedStdout();
    }

    Scene& scene() { return *game.scene; }
    game::StaticObject& object(size_t i) {
        return *static_cast<game::StaticObject*>(scene().objects.at(i));
    }
    graph::Shader* program(const std::string& key) { return engine.shaders.at(key).get(); }
    GLuint texture(const std::string& name) { return engine.textureCache.textures.at(name); }

    // A few frames of the running demo, through whatever passes exist.
    void runFrames(int frames) {
        testing::internal::CaptureStdout();
        for (int i = 0; i < frames; ++i) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            game.renderFrame(1.0 / 60.0);
        }
        testing::internal::GetCapturedStdout();
    }
};

GLint internalFormat(GLuint texture) {
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    return format;
}

}  // namespace

TEST(StartUpGl, TranscriptInOrderWithEveryTextureLoadedOnce) {
    World world;
    const std::vector<std::string> printed = lines(world.transcript);
    ASSERT_FALSE(printed.empty());

    // The heightmap line has no line end: the first generator line follows on it.
    EXPECT_EQ(printed[0], "Heightmap: width=128, height=128Particle System generator initialized...");
    for (size_t i = 1; i < 44; ++i) EXPECT_EQ(printed[i], "Particle System generator initialized...") << i;
    EXPECT_EQ(countPrefix(printed, "Heightmap:"), 1u);
    // Then the shader paths (40 files), then the loading of the scene.
    for (size_t i = 44; i < 84; ++i) {
        EXPECT_NE(printed[i].find("/GraphicsEngine/Shader/"), std::string::npos) << printed[i];
    }
    EXPECT_EQ(printed[84], "Loading Texture...");
    EXPECT_EQ(printed[85], world.root.texturePath("sunsprite.tga"));

    EXPECT_EQ(countPrefix(printed, "ModelLoader: NumMeshes: "), 14u);
    EXPECT_EQ(countPrefix(printed, "Model '"), 0u);

    // Each file is read once, in start-up order; every repeat is a cache hit.
    std::vector<std::string> loaded;
    for (const std::string& line : printed) {
        if (line.rfind(world.root.texturePath(""), 0) == 0) loaded.push_back(line);
    }
    std::vector<std::string> expected;
    for (const std::string& name : scene_files::textureNames()) {
        expected.push_back(world.root.texturePath(name));
    }
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(count(printed, "Texture Found."), 65u);  // 85 requests of 20 files
    EXPECT_EQ(count(printed, "Loading alpha Texture..."), 1u);
    const auto smoke = std::find(printed.begin(), printed.end(), world.root.texturePath("smoke45_alpha.tga"));
    ASSERT_NE(smoke, printed.begin());
    EXPECT_EQ(*(smoke - 1), "Loading alpha Texture...");
    EXPECT_EQ(countPrefix(printed, "ERROR"), 0u);
    EXPECT_TRUE(world.context.errors().empty());
}

TEST(StartUpGl, ObjectsGetTheirProgramsTexturesAndMaps) {
    World world;
    Scene& scene = world.scene();
    for (size_t i = 0; i < 12; ++i) {
        game::StaticObject& object = world.object(i);
        EXPECT_EQ(object.engine, &world.engine) << i;
        ASSERT_NE(object.mesh, nullptr) << i;
        const char* key = object.kind == 1 ? "emberwight" : "default";
        EXPECT_EQ(object.shader, world.program(key)) << i;
        EXPECT_EQ(object.mesh->shader, world.program(key)) << i;
        EXPECT_EQ(object.mesh->colorTexture, world.texture(object.colorFile)) << i;
        EXPECT_FLOAT_EQ(object.mesh->shininess, object.shininess);
        EXPECT_FLOAT_EQ(object.mesh->specLightInt, object.specLightInt);
    }
    EXPECT_EQ(world.object(11).kind, 1);
    EXPECT_EQ(world.object(11).mesh->normalMap, 0u);  // the effigy has no maps
    EXPECT_EQ(world.object(11).mesh->depthMap, 0u);
    EXPECT_EQ(world.object(0).mesh->normalMap, world.texture("rock1n.jpg"));
    EXPECT_EQ(world.object(0).mesh->depthMap, world.texture("rock1.jpg"));
    EXPECT_EQ(world.object(10).mesh->normalMap, world.texture("wood17n_2.jpg"));
    EXPECT_EQ(world.object(10).mesh->depthMap, world.texture("wood17d.jpg"));

    // Rocks turn half a degree about each axis; the platform stands unturned.
    const glm::mat4 platform = world.object(9).modelMatrix;
    EXPECT_EQ(platform[3], glm::vec4(world.object(9).position, 1.0f));
    EXPECT_EQ(glm::mat3(platform), glm::mat3(1.0f));
    EXPECT_NE(glm::mat3(world.object(0).modelMatrix), glm::mat3(1.0f));
    EXPECT_NE(world.object(0).boundingBox.edgeX.y, 0.0f);

    // Environment: programs, meshes, materials and the sun quad.
    EXPECT_EQ(scene.groundProgram, world.program("default"));
    EXPECT_EQ(scene.skyProgram, world.program("sky"));
    EXPECT_EQ(scene.sunProgram, world.program("alpha"));
    EXPECT_EQ(scene.groundMesh.shader, world.program("default"));
    EXPECT_EQ(scene.groundMesh.indexCount, 36u);
    EXPECT_EQ(scene.groundMesh.colorTexture, world.texture("ground07.jpg"));
    EXPECT_EQ(scene.groundMesh.normalMap, world.texture("ground07n.jpg"));
    EXPECT_EQ(scene.groundMesh.depthMap, world.texture("ground07b.jpg"));
    EXPECT_FLOAT_EQ(scene.groundMesh.shininess, 0.75f);
    EXPECT_FLOAT_EQ(scene.groundMesh.specLightInt, 0.25f);
    EXPECT_EQ(scene.skyboxMesh.shader, world.program("sky"));
    EXPECT_EQ(scene.skyboxMesh.colorTexture, world.texture("skybox2.jpg"));
    EXPECT_EQ(scene.skyboxMesh.normalMap, 0u);
    EXPECT_FLOAT_EQ(scene.skyboxMesh.shininess, 0.0f);
    EXPECT_EQ(scene.sunTexture, world.texture("sunsprite.tga"));
    ASSERT_NE(scene.sunQuadBuffer, 0u);
    float quad[12] = {};
    glGetNamedBufferSubData(scene.sunQuadBuffer, 0, sizeof(quad), quad);
    EXPECT_EQ(quad[0], -0.5f);
    EXPECT_EQ(quad[10], 0.5f);
    GLint usage = 0;
    glGetNamedBufferParameteriv(scene.sunQuadBuffer, GL_BUFFER_USAGE, &usage);
    EXPECT_EQ(usage, GL_DYNAMIC_DRAW);

    // Render targets, effigy textures and the debug cuboid.
    EXPECT_NE(world.engine.shadowMapFramebuffer, 0u);
    EXPECT_NE(world.engine.shadowCubeTexture, 0u);
    EXPECT_EQ(world.engine.fireLayerTexture, world.texture("fire_layer.tga"));
    EXPECT_EQ(world.engine.noiseTexture, world.texture("noise.tga"));
    GLint wrap = 0;
    glBindTexture(GL_TEXTURE_2D, world.engine.noiseTexture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);
    ASSERT_NE(scene.cuboid, nullptr);
    EXPECT_EQ(scene.cuboid->shader, world.program("shadowOmniDebug"));
    EXPECT_NE(scene.cuboid->vertexArray.vao, 0u);
    EXPECT_EQ(scene.cuboid->vertexArray.buffers.size(), 4u);
    EXPECT_EQ(scene.cuboid->engine, nullptr);
    EXPECT_TRUE(world.context.errors().empty());
}

TEST(StartUpGl, ParticleSystemsGetTextureByBlendingAndAreInitialised) {
    World world;
    for (ParticleSystem* system : world.scene().particleSystems) {
        EXPECT_TRUE(system->initialized);
        EXPECT_EQ(system->texture, world.texture(system->textureName));
        EXPECT_EQ(system->updateShader, world.program("ps_update"));
        EXPECT_EQ(system->renderShader, world.program("ps_render"));
    }
    EXPECT_EQ(internalFormat(world.texture("smoke45_alpha.tga")), GL_RGBA);
    for (const char* name : {"particle.tga", "flames3.tga", "flames2.tga"}) {
        EXPECT_EQ(internalFormat(world.texture(name)), GL_RGB) << name;
    }
    world.runFrames(3);
    EXPECT_TRUE(world.context.errors().empty());
}

TEST(StartUpGl, MissingModelIsNamedOnceAndLeftOut) {
    World world({"emberwight_rotate.obj"});
    const std::vector<std::string> printed = lines(world.transcript);
    EXPECT_EQ(count(printed, "Model 'emberwight_rotate.obj' could not be loaded; the object is left out."), 1u);
    EXPECT_EQ(countPrefix(printed, "Model '"), 1u);
    EXPECT_EQ(countPrefix(printed, "ModelLoader: NumMeshes: "), 13u);
    EXPECT_EQ(world.object(10).mesh, nullptr);
    EXPECT_EQ(world.object(10).engine, &world.engine);
    EXPECT_NE(world.object(11).mesh, nullptr);  // the rest loads as usual
    world.runFrames(3);
    // Its own passes are skipped; it still turns and keeps a sane matrix.
    game::StaticObject& structure = world.object(10);
    structure.draw();
    structure.drawOmniShadow();
    structure.drawShadow(0, 0, 0);
    EXPECT_EQ(structure.modelMatrix[3], glm::vec4(structure.position, 1.0f));
    EXPECT_TRUE(world.context.errors().empty());
}

TEST(StartUpGl, MissingGroundAndSkyLeaveEmptyMeshes) {
    World world({"groundMesh.obj", "skybox.obj"});
    const std::vector<std::string> printed = lines(world.transcript);
    EXPECT_EQ(count(printed, "Environment: 'groundMesh.obj' could not be loaded; running without the ground."), 1u);
    EXPECT_EQ(count(printed, "Environment: 'skybox.obj' could not be loaded; running without the sky."), 1u);
    EXPECT_EQ(countPrefix(printed, "ModelLoader: NumMeshes: "), 12u);
    Scene& scene = world.scene();
    EXPECT_EQ(scene.groundMesh.shader, nullptr);
    EXPECT_EQ(scene.groundMesh.indexCount, 0u);
    EXPECT_EQ(scene.skyboxMesh.shader, nullptr);
    EXPECT_EQ(scene.skyboxMesh.indexCount, 0u);
    scene.drawSkybox();
    world.runFrames(3);
    EXPECT_TRUE(world.context.errors().empty());
}

TEST(StartUpGl, MissingHeightmapGivesFlatGroundAndRuns) {
    World world({"h_level_ew.tga"});
    const std::vector<std::string> printed = lines(world.transcript);
    EXPECT_EQ(count(printed, "Scene: heightmap 'h_level_ew.tga' not loaded; the ground is flat."), 1u);
    EXPECT_EQ(countPrefix(printed, "Heightmap:"), 0u);
    EXPECT_EQ(world.scene().heightSamples, nullptr);
    EXPECT_FLOAT_EQ(world.object(9).position.y, 2.5f);
    world.runFrames(3);
    EXPECT_TRUE(world.context.errors().empty());
}

TEST(StartUpGl, SceneTearsDownWithoutGlErrors) {
    World world;
    world.runFrames(2);
    delete world.game.scene;
    world.game.scene = nullptr;
    world.engine.scene = nullptr;
    EXPECT_TRUE(world.context.errors().empty());
}
