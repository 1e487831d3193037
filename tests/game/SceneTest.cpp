#include "game/Scene.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/StaticObject.h"
#include "support/SceneFiles.h"
#include "support/TempDataRoot.h"

namespace {

// Builds a scene below `root` with its console lines swallowed.
std::string buildQuietly(std::unique_ptr<Scene>& scene) {
    testing::internal::CaptureStdout();
    scene = std::make_unique<Scene>(nullptr);
    return testing::internal::GetCapturedStdout();
}

// A map whose every sample names its own row and column (never 0, so that
// off-map zeros stand out).
float* numberedSamples() {
    float* samples = new float[128 * 128];
    for (int i = 0; i < 128 * 128; ++i) samples[i] = static_cast<float>(i + 1) / 16384.0f;
    return samples;
}

struct Cell {
    int row, column;
};
Cell cellOf(float height) {
    const int index = static_cast<int>(std::lround(height / 10.0f * 16384.0f)) - 1;
    return {index / 128, index % 128};
}

}  // namespace

TEST(Scene, RecordValuesAfterConstruction) {
    TempDataRoot root;
    ASSERT_TRUE(scene_files::writeUniformHeightmap(root.path(), 0));
    std::unique_ptr<Scene> scene;
    buildQuietly(scene);
    EXPECT_EQ(scene->engine, nullptr);
    EXPECT_FLOAT_EQ(scene->terrainWidth, 128.0f);
    EXPECT_FLOAT_EQ(scene->terrainDepth, 128.0f);
    EXPECT_EQ(scene->heightmapWidth, 128);
    EXPECT_EQ(scene->heightmapDepth, 128);
    EXPECT_EQ(scene->heightmapFile, "h_level_ew.tga");
    EXPECT_FLOAT_EQ(scene->heightScale, 10.0f);
    EXPECT_NE(scene->heightSamples, nullptr);
    EXPECT_EQ(scene->cameraStart, glm::vec3(-45.0f, 10.0f, -25.0f));
    EXPECT_NEAR(scene->sunLightDir.x, 0.24773f, 1e-5f);
    EXPECT_NEAR(scene->sunLightDir.y, -0.51377f, 1e-5f);
    EXPECT_NEAR(scene->sunLightDir.z, 0.82138f, 1e-5f);
    EXPECT_FLOAT_EQ(scene->sunLightInt, 0.05f);
    EXPECT_FLOAT_EQ(scene->sunLightCol.y, 0.7529412f);
    EXPECT_FLOAT_EQ(scene->sunLightCol.z, 0.5019608f);
    EXPECT_FLOAT_EQ(scene->ambLightInt, 0.025f);
    EXPECT_FLOAT_EQ(scene->ambLightCol.x, 0.7529412f);
    EXPECT_FLOAT_EQ(scene->ambLightCol.y, 0.8117647f);
    EXPECT_FLOAT_EQ(scene->ambLightCol.z, 0.9372549f);
    EXPECT_EQ(scene->fogColor, glm::vec3(0.0f));
    EXPECT_FLOAT_EQ(scene->fogStart, 75.0f);
    EXPECT_FLOAT_EQ(scene->fogEnd, 100.0f);
    EXPECT_FLOAT_EQ(scene->fogDensity, 0.01f);
    EXPECT_EQ(scene->groundProgram, nullptr);
    EXPECT_EQ(scene->sunQuadBuffer, 0u);

    ASSERT_EQ(scene->numPointLights, 1);
    const PointLight& fire = scene->pointLights[0];
    EXPECT_EQ(fire.Color, glm::vec3(1.0f, 0.7f, 0.6f));
    EXPECT_FLOAT_EQ(fire.AmbientInt, 0.0f);
    EXPECT_FLOAT_EQ(fire.DiffuseInt, 1.0f);
    EXPECT_FLOAT_EQ(fire.ConstAtt, 1.0f);
    EXPECT_FLOAT_EQ(fire.LinearAtt, 0.022f);
    EXPECT_FLOAT_EQ(fire.ExpAtt, 0.0019f);
    EXPECT_TRUE(fire.faceMatrices.empty());
    // Flat ground at 0: the platform base is 2.5 and the light hangs 8.19 above it.
    EXPECT_FLOAT_EQ(fire.Position.x, -2.5f);
    EXPECT_FLOAT_EQ(fire.Position.y, 10.69f);
    EXPECT_FLOAT_EQ(fire.Position.z, 0.0f);

    // A tuned look takes hold, and the defaults bring the built one back.
    const Scene& built = *scene;
    const glm::vec3 sun = built.sunLightCol, ambient = built.ambLightCol, fog = built.fogColor;
    const float values[] = {built.sunLightInt, built.ambLightInt, built.fogStart, built.fogEnd,
                            built.fogDensity, fire.ConstAtt, fire.LinearAtt, fire.ExpAtt};
    const glm::vec3 fireColor = fire.Color;
    scene->settings.fog.start = 10.0f;
    scene->settings.fog.mode = FogSettings::Exponential;
    scene->settings.fireLight.linearAttenuation = 0.5f;
    scene->settings.sun.color = glm::vec3(0.0f);
    scene->adoptSettings();
    EXPECT_FLOAT_EQ(built.fogStart, 10.0f);
    EXPECT_EQ(built.fogEquation, 1);
    EXPECT_FLOAT_EQ(fire.LinearAtt, 0.5f);
    EXPECT_EQ(built.sunLightCol, glm::vec3(0.0f));
    scene->settings = Settings();
    scene->adoptSettings();
    EXPECT_EQ(built.sunLightCol, sun);
    EXPECT_EQ(built.ambLightCol, ambient);
    EXPECT_EQ(built.fogColor, fog);
    EXPECT_EQ(built.fogEquation, 0);
    EXPECT_EQ(fire.Color, fireColor);
    const float adopted[] = {built.sunLightInt, built.ambLightInt, built.fogStart, built.fogEnd,
                             built.fogDensity, fire.ConstAtt, fire.LinearAtt, fire.ExpAtt};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(adopted[i], values[i]) << "value " << i;
}

TEST(Scene, HeightAtPicksTheNearestSampleHalvesAwayFromZero) {
    TempDataRoot root;
    ASSERT_TRUE(scene_files::writeUniformHeightmap(root.path(), 0));
    std::unique_ptr<Scene> scene;
    buildQuietly(scene);
    delete[] scene->heightSamples;
    scene->heightSamples = numberedSamples();

    const Cell origin = cellOf(scene->heightAt(0.0f, 0.0f));
    EXPECT_EQ(origin.row, 64);
    EXPECT_EQ(origin.column, 64);
    EXPECT_EQ(cellOf(scene->heightAt(-63.5f, 0.0f)).column, 1);  // 0.5 goes to 1
    EXPECT_EQ(cellOf(scene->heightAt(-64.3f, 0.0f)).column, 0);
    EXPECT_EQ(cellOf(scene->heightAt(-64.0f, 0.0f)).column, 0);
    EXPECT_EQ(cellOf(scene->heightAt(62.6f, 0.0f)).column, 127);
    EXPECT_EQ(cellOf(scene->heightAt(0.0f, -64.0f)).row, 0);  // bottom image row at low z
    EXPECT_EQ(cellOf(scene->heightAt(0.0f, 63.0f)).row, 127);
    const Cell corner = cellOf(scene->heightAt(10.4f, -20.6f));
    EXPECT_EQ(corner.column, 74);
    EXPECT_EQ(corner.row, 43);

    // Off the map: no sample is read.
    EXPECT_EQ(scene->heightAt(63.5f, 0.0f), 0.0f);
    EXPECT_EQ(scene->heightAt(-64.6f, 0.0f), 0.0f);
    EXPECT_EQ(scene->heightAt(0.0f, 63.5f), 0.0f);
    EXPECT_EQ(scene->heightAt(0.0f, -64.6f), 0.0f);
    EXPECT_EQ(scene->heightAt(1e9f, -1e9f), 0.0f);
}

TEST(Scene, UniformMapLiftsRocksAndPlatformAlike) {
    TempDataRoot root;
    ASSERT_TRUE(scene_files::writeUniformHeightmap(root.path(), 153));  // s = 0.6
    std::unique_ptr<Scene> scene;
    const std::string printed = buildQuietly(scene);
    EXPECT_EQ(printed.rfind("Heightmap: width=128, height=128", 0), 0u) << printed;
    const float s = 153.0f / 255.0f;
    EXPECT_NEAR(scene->heightAt(17.0f, -3.0f), 10.0f * s, 1e-4f);
    ASSERT_EQ(scene->objects.size(), 12u);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(scene->objects[i]->position.y, 10.0f * s - 0.5f, 1e-4f) << i;
    for (int i = 9; i < 12; ++i) EXPECT_NEAR(scene->objects[i]->position.y, 10.0f * s + 2.5f, 1e-4f) << i;
    EXPECT_NEAR(scene->pointLights[0].Position.y, 10.0f * s + 2.5f + 8.19f, 1e-4f);
}

TEST(Scene, MissingHeightmapGivesFlatGroundWithOneLine) {
    TempDataRoot root;  // no files at all
    std::unique_ptr<Scene> scene;
    const std::string printed = buildQuietly(scene);
    EXPECT_EQ(scene->heightSamples, nullptr);
    EXPECT_NE(printed.find("Scene: heightmap 'h_level_ew.tga' not loaded; the ground is flat.\n"),
              std::string::npos)
        << printed;
    EXPECT_EQ(printed.find("Heightmap:"), std::string::npos);
    for (float x : {-64.0f, -2.5f, 0.0f, 30.0f, 63.0f}) EXPECT_EQ(scene->heightAt(x, x), 0.0f);
    EXPECT_FLOAT_EQ(scene->objects[0]->position.y, -0.5f);
    EXPECT_FLOAT_EQ(scene->objects[11]->position.y, 2.5f);
}

TEST(Scene, DestructionReleasesWhatItOwnsWithoutAContext) {
    TempDataRoot root;
    ASSERT_TRUE(scene_files::writeUniformHeightmap(root.path(), 10));
    std::unique_ptr<Scene> scene;
    buildQuietly(scene);
    EXPECT_EQ(scene->objects.size(), 12u);
    EXPECT_EQ(scene->particleSystems.size(), 44u);
    EXPECT_NE(scene->cuboid, nullptr);
    // Nothing was set up on a GPU, so tearing down makes no GL call (which
    // would crash here) and frees objects, systems, cuboid, light and samples.
    scene.reset();
    EXPECT_EQ(scene, nullptr);
}
