#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include <glm/gtc/type_ptr.hpp>

#include "GraphicsEngine/Mesh.h"
#include "render/Lighting.h"
#include "support/PassFixture.h"
#include "support/ProgramFromSource.h"
#include "support/TempDataRoot.h"

namespace {

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

float uniformFloat(GLuint program, const char* name) {
    float value = NAN;
    glGetUniformfv(program, glGetUniformLocation(program, name), &value);
    return value;
}

GLint uniformInt(GLuint program, const char* name) {
    GLint value = -99;
    glGetUniformiv(program, glGetUniformLocation(program, name), &value);
    return value;
}

glm::mat4 uniformMat4(GLuint program, const char* name) {
    glm::mat4 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

glm::vec4 uniformVec4(GLuint program, const char* name) {
    glm::vec4 value(NAN);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

// Reads every uniform the lit pass sends, so that none is optimised away and
// each can be read back.
const char* const kProbeVertex = R"(#version 330 core
in vec3 position;
uniform mat4 currentMatrix;
uniform mat4 modelMatrix;
uniform mat4 depthMvpMatrix;
out vec4 shadowCoord;
void main() {
    shadowCoord = depthMvpMatrix * vec4(position, 1.0);
    gl_Position = currentMatrix * modelMatrix * vec4(position, 1.0);
})";
const char* const kProbeFragment = R"(#version 330 core
struct PointLight {
    vec3 Color; float AmbientInt; float DiffuseInt; vec3 Position;
    float ConstAtt; float LinearAtt; float ExpAtt;
};
in vec4 shadowCoord;
uniform sampler2D colorTexture;
uniform sampler2DShadow shadowMap;
uniform sampler2D normalMap;
uniform sampler2D depthMap;
uniform float heightScale;
uniform samplerCube cm_z_tex;
uniform vec2 near_far;
uniform vec4 l_pos;
uniform vec3 sunLightDir, sunLightCol, ambLightCol;
uniform float sunLightInt, ambLightInt, shininess, specLightInt;
uniform int numPointLights;
uniform PointLight pointLights[2];
uniform vec4 fogColor;
uniform float fogStart, fogEnd, fogDensity;
uniform int fogEquation;
uniform vec3 view;
out vec4 fragColor;
void main() {
    float sum = texture(colorTexture, vec2(0.5)).r + texture(shadowMap, shadowCoord.xyz) +
                texture(normalMap, vec2(0.5)).r + texture(depthMap, vec2(0.5)).r + heightScale +
                texture(cm_z_tex, vec3(1.0)).r + near_far.x + l_pos.x + sunLightDir.x +
                sunLightCol.x + ambLightCol.x + sunLightInt + ambLightInt + shininess +
                specLightInt + float(numPointLights) + fogColor.x + fogStart + fogEnd +
                fogDensity + float(fogEquation) + view.x;
    for (int i = 0; i < 2; ++i) {
        sum += pointLights[i].Color.x + pointLights[i].AmbientInt + pointLights[i].DiffuseInt +
               pointLights[i].Position.x + pointLights[i].ConstAtt + pointLights[i].LinearAtt +
               pointLights[i].ExpAtt;
    }
    fragColor = vec4(fract(sum));
})";

glm::vec3 uniformVec3(GLuint program, const std::string& name) {
    glm::vec3 value(NAN);
    glGetUniformfv(program, glGetUniformLocation(program, name.c_str()), glm::value_ptr(value));
    return value;
}

// A 40 x 40 grey floor at y = 0, seen from straight above.
class LitPass : public PassFixture {
protected:
    Mesh floor;
    GLuint grey = 0, flatNormal = 0, white = 0;

    void SetUp() override {
        PassFixture::SetUp();
        grey = testmesh::solidTexture(200, 200, 200);
        flatNormal = testmesh::solidTexture(128, 128, 255);
        white = testmesh::solidTexture(255, 255, 255);
        testmesh::quad(floor, program("default"), {-20, 0, 20}, {40, 0, 0}, {0, 0, -40}, 8.0f);
        floor.colorTexture = grey;
        floor.shininess = 0.75f;
        floor.specLightInt = 0.25f;
        lookAt({0, 30, 0}, {0, 0, 0}, {0, 0, -1});
    }
    void TearDown() override {
        floor.release();
        PassFixture::TearDown();
    }
    Rgba drawFloor() {
        clearWindow();
        renderLit(floor);
        return pixelAt({0, 0, 0});
    }
};

}  // namespace

TEST_F(LitPass, FireLightIsWarmAndFadesWithDistance) {
    const Rgba centre = drawFloor();
    const Rgba near = pixelAt({5, 0, 0});
    const Rgba far = pixelAt({14, 0, 14});
    EXPECT_GT(centre.r, 150);
    EXPECT_GT(centre.r, centre.g);
    EXPECT_GT(centre.g, centre.b);
    const auto sum = [](Rgba p) { return p.r + p.g + p.b; };
    EXPECT_GT(sum(centre), sum(near));
    EXPECT_GT(sum(near), sum(far) + 90);
    EXPECT_GT(far.r, 5);

    // Without the point light only the dim sun and the ambient term remain.
    scene->numPointLights = 0;
    const Rgba unlit = drawFloor();
    EXPECT_LT(unlit.r, 25);
    EXPECT_GT(unlit.r + unlit.g + unlit.b, 0);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(LitPass, LeavesUnitFourActiveAndNoVertexArray) {
    scene->clock.time = 0.3;
    drawFloor();
    const GLuint id = program("default")->program;
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE4);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), static_cast<GLint>(id));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(engine.shadowCubeTexture));
    glActiveTexture(GL_TEXTURE1);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(engine.shadowMapTexture));
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(grey));

    EXPECT_EQ(uniformInt(id, "colorTexture"), 0);
    EXPECT_EQ(uniformInt(id, "cm_z_tex"), 4);
    EXPECT_FLOAT_EQ(uniformFloat(id, "heightScale"), -1.0f);
    EXPECT_FLOAT_EQ(uniformFloat(id, "pointLights[0].DiffuseInt"), lighting::flicker(0.3));
    EXPECT_EQ(uniformInt(id, "numPointLights"), 1);
    EXPECT_EQ(uniformInt(id, "fogEquation"), 0);
    EXPECT_FLOAT_EQ(uniformFloat(id, "fogEnd"), 100.0f);
    EXPECT_EQ(uniformVec4(id, "l_pos"), glm::vec4(0.0f, 5.0f, 0.0f, 1.0f));
    EXPECT_EQ(uniformVec4(id, "fogColor"), glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(LitPass, SendsEveryUniformOfTheTable) {
    TempDataRoot root;
    auto probe = programFromSource(root, kProbeVertex, kProbeFragment);
    const GLuint id = probe->program;
    floor.shader = probe.get();
    PointLight lights[2];
    lights[0] = light();
    lights[1] = light();
    lights[1].Color = glm::vec3(0.2f, 0.3f, 0.4f);
    lights[1].AmbientInt = 0.125f;
    lights[1].Position = glm::vec3(-4.0f, 2.0f, 6.0f);
    lights[1].LinearAtt = 0.5f;
    PointLight* const sceneLights = scene->pointLights;
    scene->pointLights = lights;
    scene->numPointLights = 2;
    scene->clock.time = 1.7;
    lookAt({3, 30, -2}, {0, 0, 0}, {0, 0, -1});
    const glm::mat4 model = glm::translate(glm::rotate(glm::mat4(1.0f), 0.7f, {0, 1, 0}), {1, 2, 3});
    clearWindow();
    engine.renderLit(floor, engine.projectionMatrix * engine.viewMatrix * model, model, nullptr);
    scene->pointLights = sceneLights;

    EXPECT_EQ(uniformMat4(id, "currentMatrix"), engine.projectionMatrix * engine.viewMatrix * model);
    EXPECT_EQ(uniformMat4(id, "modelMatrix"), model);
    const glm::mat4 expected = engine.shadowBiasMatrix * lighting::sunProjection() *
                               lighting::sunView(engine.cameraPosition, scene->sunLightDir) * model;
    const glm::mat4 sent = uniformMat4(id, "depthMvpMatrix");
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_NEAR(sent[c][r], expected[c][r], 1e-6f);
    EXPECT_EQ(uniformInt(id, "colorTexture"), 0);
    EXPECT_EQ(uniformInt(id, "shadowMap"), 1);
    EXPECT_EQ(uniformInt(id, "cm_z_tex"), 4);
    EXPECT_FLOAT_EQ(uniformFloat(id, "heightScale"), -1.0f);
    glm::vec2 nearFar(0.0f);
    glGetUniformfv(id, glGetUniformLocation(id, "near_far"), glm::value_ptr(nearFar));
    EXPECT_EQ(nearFar, glm::vec2(1.0f, 100.0f));
    EXPECT_EQ(uniformVec4(id, "l_pos"), glm::vec4(0.0f, 5.0f, 0.0f, 1.0f));
    EXPECT_EQ(uniformVec3(id, "sunLightDir"), scene->sunLightDir);
    EXPECT_EQ(uniformVec3(id, "sunLightCol"), scene->sunLightCol);
    EXPECT_FLOAT_EQ(uniformFloat(id, "sunLightInt"), 0.05f);
    EXPECT_EQ(uniformVec3(id, "ambLightCol"), scene->ambLightCol);
    EXPECT_FLOAT_EQ(uniformFloat(id, "ambLightInt"), 0.025f);
    EXPECT_FLOAT_EQ(uniformFloat(id, "shininess"), 0.75f);
    EXPECT_FLOAT_EQ(uniformFloat(id, "specLightInt"), 0.25f);
    EXPECT_EQ(uniformInt(id, "numPointLights"), 2);
    for (int i = 0; i < 2; ++i) {
        const std::string at = "pointLights[" + std::to_string(i) + "].";
        EXPECT_EQ(uniformVec3(id, at + "Color"), lights[i].Color);
        EXPECT_EQ(uniformVec3(id, at + "Position"), lights[i].Position);
        EXPECT_FLOAT_EQ(uniformFloat(id, (at + "AmbientInt").c_str()), lights[i].AmbientInt);
        EXPECT_FLOAT_EQ(uniformFloat(id, (at + "DiffuseInt").c_str()), lighting::flicker(1.7));
        EXPECT_FLOAT_EQ(uniformFloat(id, (at + "ConstAtt").c_str()), lights[i].ConstAtt);
        EXPECT_FLOAT_EQ(uniformFloat(id, (at + "LinearAtt").c_str()), lights[i].LinearAtt);
        EXPECT_FLOAT_EQ(uniformFloat(id, (at + "ExpAtt").c_str()), lights[i].ExpAtt);
    }
    EXPECT_EQ(uniformVec4(id, "fogColor"), glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(uniformFloat(id, "fogStart"), 75.0f);
    EXPECT_FLOAT_EQ(uniformFloat(id, "fogEnd"), 100.0f);
    EXPECT_FLOAT_EQ(uniformFloat(id, "fogDensity"), 0.01f);
    EXPECT_EQ(uniformInt(id, "fogEquation"), 0);
    EXPECT_EQ(uniformVec3(id, "view"), engine.cameraPosition);
    EXPECT_TRUE(context.errors().empty());
    floor.shader = program("default");
}

TEST_F(LitPass, AReloadedProgramIsSentItsUniformsAtTheirNewLocations) {
    TempDataRoot root;
    auto probe = programFromSource(root, kProbeVertex, kProbeFragment);
    floor.shader = probe.get();
    drawFloor();
    // Saved with an array declared first: the uniforms after it move.
    std::string saved = kProbeFragment;
    saved.replace(saved.find("in vec4 shadowCoord;"), 20,
                  "in vec4 shadowCoord;\nuniform vec4 shift[3];");
    saved.replace(saved.find("fract(sum)"), 10, "fract(sum + shift[2].x)");
    std::ofstream(probe->files.fragment, std::ios::binary | std::ios::trunc) << saved;
    const GLint oldFogEnd = glGetUniformLocation(probe->program, "fogEnd");
    graph::BuildFailure failure;
    std::unique_ptr<graph::Shader> replacement = probe->rebuilt(failure);
    ASSERT_TRUE(replacement) << failure.headline << failure.log;
    probe->replaceWith(*replacement);
    replacement.reset();  // the old program goes, as after a live reload
    const GLuint id = probe->program;
    ASSERT_NE(glGetUniformLocation(id, "fogEnd"), oldFogEnd)
        << "the saved program keeps its locations, so this test would show nothing";

    scene->clock.time = 0.9;
    drawFloor();
    EXPECT_EQ(uniformInt(id, "shadowMap"), 1);
    EXPECT_EQ(uniformInt(id, "cm_z_tex"), 4);
    EXPECT_FLOAT_EQ(uniformFloat(id, "heightScale"), -1.0f);
    EXPECT_FLOAT_EQ(uniformFloat(id, "shininess"), 0.75f);
    EXPECT_FLOAT_EQ(uniformFloat(id, "fogEnd"), 100.0f);
    EXPECT_EQ(uniformInt(id, "numPointLights"), 1);
    EXPECT_FLOAT_EQ(uniformFloat(id, "pointLights[0].DiffuseInt"), lighting::flicker(0.9));
    EXPECT_EQ(uniformVec3(id, "view"), engine.cameraPosition);
    EXPECT_TRUE(context.errors().empty());
    floor.shader = program("default");
}

TEST_F(LitPass, ReliefMapsBindUnitsTwoAndThreeOnlyWhenPresent) {
    const GLint sentinel = static_cast<GLint>(white);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, white);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, white);
    const Rgba plain = drawFloor();
    glActiveTexture(GL_TEXTURE2);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), sentinel);  // left as they were
    glActiveTexture(GL_TEXTURE3);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), sentinel);

    // A flat normal map and a flat (all top) depth map change nothing visible.
    floor.normalMap = flatNormal;
    floor.depthMap = white;
    const Rgba relief = drawFloor();
    const GLuint id = program("default")->program;
    EXPECT_FLOAT_EQ(uniformFloat(id, "heightScale"), 1.0f);
    EXPECT_EQ(uniformInt(id, "normalMap"), 2);
    EXPECT_EQ(uniformInt(id, "depthMap"), 3);
    glActiveTexture(GL_TEXTURE2);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(flatNormal));
    EXPECT_NEAR(relief.r, plain.r, 3);
    EXPECT_NEAR(relief.g, plain.g, 3);

    // A normal map that tilts the surface away from the light darkens it.
    const GLuint tilted = testmesh::solidTexture(255, 128, 128);  // tangent-space +x
    floor.normalMap = tilted;
    const Rgba turned = drawFloor();
    EXPECT_LT(turned.r + 40, plain.r);
    glDeleteTextures(1, &tilted);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(LitPass, TheColourMapReadsTheLevelOfItsOwnSize) {
    // 64 x 64 with red texels at level 0 and green ones below: from 30 units up
    // a pixel covers about 3.5 texels, so a green level shows, even beside flat
    // relief maps of 4 x 4 texels, whose own size would ask for level 0.
    GLuint levels = 0;
    glGenTextures(1, &levels);
    glBindTexture(GL_TEXTURE_2D, levels);
    for (int level = 0, size = 64; size >= 1; ++level, size /= 2) {
        const unsigned char red = level == 0 ? 255 : 0, green = 255 - red;
        std::vector<unsigned char> texels;
        for (int i = 0; i < size * size; ++i) texels.insert(texels.end(), {red, green, 0, 255});
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    floor.colorTexture = levels;
    floor.normalMap = flatNormal;
    floor.depthMap = white;
    floor.specLightInt = 0.0f;  // no warm highlight over the colour
    const Rgba centre = drawFloor();
    EXPECT_GT(centre.g, 40);
    EXPECT_LT(centre.r, centre.g / 4);
    glDeleteTextures(1, &levels);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(LitPass, WithoutPointLightsTheCubeStillUsesTheFirstLight) {
    scene->numPointLights = 0;
    light().Position = glm::vec3(3.0f, 7.0f, -1.0f);
    drawFloor();
    const GLuint id = program("default")->program;
    EXPECT_EQ(uniformVec4(id, "l_pos"), glm::vec4(3.0f, 7.0f, -1.0f, 1.0f));
    EXPECT_EQ(uniformInt(id, "numPointLights"), 0);
}

TEST_F(LitPass, TheUnrenderedSunShadowMapDarkensNothing) {
    // Whatever the never-rendered map holds, the picture is the same.
    for (const double depth : {0.0, 1.0}) {
        glBindFramebuffer(GL_FRAMEBUFFER, engine.shadowMapFramebuffer);
        glClearDepth(depth);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
        const Rgba centre = drawFloor();
        const Rgba far = pixelAt({14, 0, 14});
        EXPECT_GT(centre.r, 150) << "map depth " << depth;
        EXPECT_GT(far.r, 5) << "map depth " << depth;
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(LitPass, FogIsLinearByDefaultAndExponentialOnRequest) {
    const GLuint dark = testmesh::solidTexture(40, 40, 40);  // stays below the highlight shoulder
    floor.colorTexture = dark;
    floor.specLightInt = 0.0f;
    scene->fogStart = 200.0f;  // the floor centre is 30 away: no fog
    scene->fogEnd = 220.0f;
    const float clear = drawFloor().r;
    scene->fogStart = 20.0f;
    scene->fogEnd = 40.0f;  // half way
    EXPECT_NEAR(drawFloor().r, clear * 0.5f, 3.0f);
    scene->fogStart = 5.0f;
    scene->fogEnd = 25.0f;  // beyond the end: the fog colour, black
    EXPECT_EQ(drawFloor().r, 0);

    // The pass always asks for the linear fog; the program also knows
    // exp (1) and exp² (2) with "fogDensity". Redraw with the other equations.
    const GLuint id = program("default")->program;
    scene->fogDensity = 0.02f;
    const float expected[3] = {0.0f, std::exp(-0.02f * 30.0f), std::exp(-0.36f)};
    for (int equation = 1; equation <= 2; ++equation) {
        clearWindow();
        renderLit(floor);
        glUniform1i(glGetUniformLocation(id, "fogEquation"), equation);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        floor.buffers.bindToProgram(*program("default"));
        glBindVertexArray(floor.buffers.vao);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(floor.indexCount), GL_UNSIGNED_INT,
                       nullptr);
        glBindVertexArray(0);
        EXPECT_NEAR(pixelAt({0, 0, 0}).r, clear * expected[equation], 3.0f) << equation;
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(LitPass, SkyIsTheTextureUnlitUnfoggedAndNeverClipped) {
    Mesh sky;
    const GLuint blue = testmesh::solidTexture(40, 60, 120);
    // A wall 300 units ahead: beyond the fog's end and the far plane (250).
    lookAt({0, 0, 0}, {0, 0, -1}, {0, 1, 0});
    testmesh::quad(sky, program("sky"), {-400, -400, -300}, {800, 0, 0}, {0, 800, 0});
    sky.colorTexture = blue;
    clearWindow();
    renderLit(sky);
    const Rgba centre = readPixel(64, 64);
    EXPECT_NEAR(centre.r, 40, 2);
    EXPECT_NEAR(centre.g, 60, 2);
    EXPECT_NEAR(centre.b, 120, 2);

    // Drawn at the back of the depth range: a floor drawn after it covers it.
    lookAt({0, 30, 0.5f}, {0, 0, 0}, {0, 0, -1});
    clearWindow();
    engine.renderLit(sky, engine.projectionMatrix * engine.viewMatrix, glm::mat4(1.0f), nullptr);
    renderLit(floor);
    EXPECT_GT(pixelAt({0, 0, 0}).r, 150);
    sky.release();
    glDeleteTextures(1, &blue);
    EXPECT_TRUE(context.errors().empty());
}
