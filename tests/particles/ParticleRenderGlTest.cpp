#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "particles/ParticleMath.h"
#include "particles/ParticleSystem.h"
#include "support/GlContext.h"
#include "tests/particles/ParticleGlSupport.h"

using particle_test::makeParticle;
using particle_test::quadrantImage;
using particle_test::quietly;
using particle_test::Target;

namespace {

const glm::vec4 kBlack(0, 0, 0, 1);

std::vector<unsigned char> solidImage(int size, glm::u8vec4 color) {
    std::vector<unsigned char> image;
    for (int i = 0; i < size * size; ++i)
        image.insert(image.end(), {color.r, color.g, color.b, color.a});
    return image;
}

bool isRed(glm::ivec4 p) { return p.r > 100 && p.g < 40 && p.b < 40; }
bool isGreen(glm::ivec4 p) { return p.g > 100 && p.r < 40 && p.b < 40; }
bool isBlue(glm::ivec4 p) { return p.b > 100 && p.r < 40 && p.g < 40; }
bool isYellow(glm::ivec4 p) { return p.r > 100 && p.g > 100 && p.b < 40; }

class ParticleRender : public testing::Test {
protected:
    GlContext context;
    particle_test::Programs programs;
    Target target{64, 64};
    ParticleSystem system;

    void SetUp() override {
        quietly([&] {
            system.setGeneratorProperties(glm::vec3(0), glm::vec3(0), glm::vec3(0), glm::vec3(0),
                                          glm::vec3(0), 1.0f, 1.0f, 1.0f, 1.0f, 0.05f, 1, 1, 1, 1,
                                          1.0f, 0, 0.0f, glm::vec3(1), 1.0f);
        });
        ASSERT_TRUE(system.initialize(programs.update.get(), programs.render.get()));
        system.setTexture(
            particle_test::makeTexture(4, 4, solidImage(4, {255, 255, 255, 255}), GL_NEAREST));
        system.setMatrices(glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f),
                           glm::vec3(0, 0, 5), glm::vec3(0), glm::vec3(0, 1, 0));
        target.clear(kBlack);
    }

    // One particle at the origin, covering about half the target, at the given
    // share of its one-second life.
    void showOneParticle(float lifeShare, const glm::vec3& color = glm::vec3(1)) {
        writeParticles(
            {Particle{}, makeParticle(glm::vec3(0), 1.0f, 1.0f, 1.0f - lifeShare, color)});
    }

    void writeParticles(const std::vector<Particle>& records) {
        particle_test::writeParticles(system, records);
    }

    glm::ivec4 center() const { return target.pixel(32, 32); }
};

}  // namespace

TEST_F(ParticleRender, LeavesBlendingOffAndTheDepthMaskOn) {
    showOneParticle(0.5f);
    const GLenum expected[2][2] = {{GL_SRC_ALPHA, GL_ONE}, {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}};
    for (int type = 0; type < 2; ++type) {
        system.alphaType = type;
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        glBlendFunc(GL_ONE, GL_ZERO);
        system.renderParticles();
        GLint source = 0, destination = 0;
        GLboolean depthMask = GL_FALSE;
        glGetIntegerv(GL_BLEND_SRC_RGB, &source);
        glGetIntegerv(GL_BLEND_DST_RGB, &destination);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << type;
        EXPECT_TRUE(depthMask) << type;
        EXPECT_EQ(static_cast<GLenum>(source), expected[type][0]) << type;
        EXPECT_EQ(static_cast<GLenum>(destination), expected[type][1]) << type;
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, AnotherAlphaTypeBlendsWithTheFunctionInForce) {
    showOneParticle(0.5f);
    system.alphaType = 2;
    glDisable(GL_BLEND);
    // With this function a blended draw leaves the target as it was; an
    // unblended one would paint the particle.
    glBlendFunc(GL_ZERO, GL_ONE);
    system.renderParticles();
    EXPECT_EQ(center(), glm::ivec4(0, 0, 0, 255));
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    EXPECT_EQ(source, GL_ZERO);
    EXPECT_EQ(destination, GL_ONE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    system.alphaType = 0;
    system.renderParticles();
    EXPECT_GT(center().r, 200) << "the same particle, additive";
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, DrawsTheBufferTheUpdateJustWrote) {
    // The update emits one particle of size 1 at the origin into the other
    // buffer; only drawing that buffer shows it.
    system.updateParticles(0.0f);
    ASSERT_EQ(system.numParticles, 2);
    system.renderParticles();
    EXPECT_GT(center().r, 200);
    EXPECT_EQ(target.pixel(2, 2), glm::ivec4(0, 0, 0, 255));
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, TheGeneratorRecordIsNeverDrawn) {
    Particle generator = makeParticle(glm::vec3(0), 1.0f, 1.0f, 0.5f);
    generator.type = 0;
    writeParticles({generator});
    system.renderParticles();
    EXPECT_EQ(center(), glm::ivec4(0, 0, 0, 255));
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, IsDepthTestedButWritesNoDepth) {
    showOneParticle(0.5f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    system.renderParticles();
    EXPECT_GT(center().r, 200);
    EXPECT_EQ(target.depth(32, 32), 1.0f);

    // Scene geometry in front of the particle hides it.
    target.clear(kBlack, 0.5f);
    system.renderParticles();
    EXPECT_EQ(center(), glm::ivec4(0, 0, 0, 255));
    glDisable(GL_DEPTH_TEST);
    EXPECT_TRUE(context.errors().empty());
}

// Soft, the fragment stage fades the sprite as particles::softFade says,
// before a scene depth it reads (the particle stands 5 units away), with no
// depth test of GL's: behind the scene it is not drawn at all.
TEST_F(ParticleRender, SoftSpritesFadeBeforeTheSceneDepthTheyRead) {
    const glm::mat4 projection = system.projectionMatrix;
    GLuint depth = 0;
    glGenTextures(1, &depth);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, depth);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glActiveTexture(GL_TEXTURE0);
    auto brightnessBefore = [&](float sceneDistance, float softness) {
        const glm::vec4 clip = projection * glm::vec4(0.0f, 0.0f, -sceneDistance, 1.0f);
        const std::vector<float> depths(64 * 64, 0.5f * clip.z / clip.w + 0.5f);
        glActiveTexture(GL_TEXTURE1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, 64, 64, 0, GL_DEPTH_COMPONENT,
                     GL_FLOAT, depths.data());
        glActiveTexture(GL_TEXTURE0);
        system.soft = true;
        system.softness = softness;
        target.clear(kBlack);
        showOneParticle(0.5f);
        system.renderParticles();
        return center().r;
    };
    for (float gap : {-0.2f, 0.05f, 0.25f, 0.4f, 1.0f}) {
        const float expected = 255.0f * particles::softFade(5.0f + gap, 5.0f, 0.5f);
        EXPECT_NEAR(brightnessBefore(5.0f + gap, 0.5f), expected, 4.0f) << gap;
    }
    EXPECT_GT(brightnessBefore(4.8f, 0.0f), 250) << "hard: no depth read, GL's test decides";
    glDeleteTextures(1, &depth);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, TheQuadShowsTheSpriteUpright) {
    system.setTexture(particle_test::makeTexture(16, 16, quadrantImage(), GL_NEAREST));
    showOneParticle(0.1f);
    system.renderParticles();
    target.snapshot("particle_upright.png");
    EXPECT_TRUE(isRed(target.pixel(24, 40))) << "image top-left at the viewer's top-left";
    EXPECT_TRUE(isGreen(target.pixel(40, 40)));
    EXPECT_TRUE(isBlue(target.pixel(24, 24)));
    EXPECT_TRUE(isYellow(target.pixel(40, 24)));
    EXPECT_TRUE(context.errors().empty());
}

// The geometry stage picks the cell that particles::sheetCell picks.
TEST_F(ParticleRender, TheSheetCellFollowsTheAge) {
    system.setTexture(particle_test::makeTexture(16, 16, quadrantImage(), GL_NEAREST));
    system.animRows = 2;
    system.animCols = 2;
    bool (*const byCell[4])(glm::ivec4) = {isRed, isGreen, isBlue, isYellow};
    struct Case {
        float lifeShare;
        int frames;
        float speed;
        int cell;
    };
    const Case cases[] = {{0.05f, 4, 1.0f, 0}, {0.3f, 4, 1.0f, 1},  {0.55f, 4, 1.0f, 2},
                          {0.8f, 4, 1.0f, 3},  {0.04f, 4, 0.5f, 0}, {0.3f, 4, 0.5f, 2},
                          {0.6f, 4, 0.5f, 3},  {0.5f, 4, 2.0f, 1},  {0.8f, 3, 1.0f, 2},
                          {0.8f, 9, 1.0f, 3}};
    for (const Case& c : cases) {
        ASSERT_EQ(particles::sheetCell(c.lifeShare, 2, 2, c.frames, c.speed), c.cell);
        system.animFrames = c.frames;
        system.animSpeed = c.speed;
        target.clear(kBlack);
        showOneParticle(c.lifeShare);
        system.renderParticles();
        const glm::ivec4 p = center();
        EXPECT_TRUE(byCell[c.cell](p)) << "life " << c.lifeShare << " frames " << c.frames
                                       << " speed " << c.speed << ": " << p.r << "," << p.g
                                       << "," << p.b;
    }
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, ColourAndAlphaModulateTheSprite) {
    system.alpha = 0.5f;
    showOneParticle(0.1f, glm::vec3(1, 0.5f, 0));
    system.renderParticles();
    const glm::ivec4 p = center();
    EXPECT_NEAR(p.r, 128, 3);
    EXPECT_NEAR(p.g, 64, 3);
    EXPECT_EQ(p.b, 0);

    // Grey smoke glows with the fire light while young and is grey again when old.
    system.alpha = 1.0f;
    system.alphaType = 1;
    auto smokeAt = [&](float lifeShare) {
        target.clear(kBlack);
        showOneParticle(lifeShare, glm::vec3(0.25f));
        system.renderParticles();
        return center();
    };
    const glm::ivec4 young = smokeAt(0.05f), old = smokeAt(0.95f);
    EXPECT_GT(young.r, young.b + 20);
    EXPECT_GT(young.r, 2 * old.r);
    EXPECT_LE(old.r - old.b, 2);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, FadesInOverTheBlendDelayAndOutTowardsTheEnd) {
    auto brightnessAt = [&](float lifeShare) {
        target.clear(kBlack);
        showOneParticle(lifeShare);
        system.renderParticles();
        return center().r;
    };
    system.blendDelay = 0.25f;
    EXPECT_LT(brightnessAt(0.01f), 10) << "just born";
    const int early = brightnessAt(0.1f);
    EXPECT_GT(early, 20);
    EXPECT_LT(early, 200);
    EXPECT_GT(brightnessAt(0.3f), 250);
    EXPECT_GT(brightnessAt(0.6f), 250);
    const int late = brightnessAt(0.85f);
    EXPECT_GT(late, 20);
    EXPECT_LT(late, 200);
    EXPECT_LT(brightnessAt(0.995f), 3) << "no popping at the end";

    // Without a delay additive sprites start at full strength.
    system.blendDelay = 0.0f;
    EXPECT_GT(brightnessAt(0.0f), 250);

    // Alpha-blended smoke thins out over its whole life, most of it late (1 - life^2).
    system.alphaType = 1;
    const int young = brightnessAt(0.2f), middle = brightnessAt(0.5f), old = brightnessAt(0.8f);
    EXPECT_GT(young, middle);
    EXPECT_GT(middle, old);
    EXPECT_NEAR(middle, 191, 4);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, StillDrawsWhenTheUpdateProgramFailedToLink) {
    graph::Shader broken;
    ASSERT_TRUE(particle_test::makeUnlinkedProgram(broken));

    ParticleSystem stuck = system;
    stuck.initialized = false;
    ASSERT_TRUE(stuck.initialize(&broken, programs.render.get()));
    particle_test::writeParticles(stuck,
                                  {Particle{}, makeParticle(glm::vec3(0), 1.0f, 1.0f, 0.5f)});
    stuck.updateParticles(0.1f);
    EXPECT_EQ(stuck.numParticles, 2);
    EXPECT_EQ(stuck.currentBuffer, 0);
    stuck.renderParticles();
    EXPECT_GT(center().r, 200);
    EXPECT_TRUE(context.errors().empty());
}

TEST_F(ParticleRender, AReloadedProgramStillDraws) {
    showOneParticle(0.5f, glm::vec3(1.0f, 0.5f, 0.25f));
    system.alpha = 0.75f;
    system.renderParticles();
    const std::vector<unsigned char> before = target.pixels();
    ASSERT_GT(center().r, 100);

    // Saved again with a uniform of its own in the first stage, whose zero
    // default moves nothing on screen but every other uniform's location.
    const std::string vertex = paths::resolvePath(programs.render->files.vertex);
    std::ifstream original(vertex);
    std::string source((std::istreambuf_iterator<char>(original)), std::istreambuf_iterator<char>());
    source.replace(source.find("out vec3 vColor;"), 0, "uniform vec3 savedOffset;\n");
    source.replace(source.find("vec4(position, 1.0)"), 19, "vec4(position + savedOffset, 1.0)");
    const std::string saved = testing::TempDir() + "PSRenderSaved.vert";
    std::ofstream(saved) << source;
    const GLuint old = programs.render->program;
    const GLint oldAlpha = glGetUniformLocation(old, "alpha");
    programs.render->files.vertex = saved;
    graph::BuildFailure failure;
    std::unique_ptr<graph::Shader> replacement = programs.render->rebuilt(failure);
    ASSERT_TRUE(replacement) << failure.headline << failure.log;
    programs.render->replaceWith(*replacement);
    replacement.reset();  // the old program goes, as after a live reload
    ASSERT_NE(glGetUniformLocation(programs.render->program, "alpha"), oldAlpha)
        << "the saved program keeps its locations, so this test would show nothing";

    target.clear(kBlack);
    system.renderParticles();
    EXPECT_TRUE(target.pixels() == before);
    EXPECT_TRUE(context.errors().empty()) << context.errors().front();
}

TEST(SparkFrame, ShowsBrightSparksWhereTheParticlesAre) {
    GlContext context;
    particle_test::Programs programs;
    Target target(256, 256);
    ParticleSystem sparks;
    // The scene's spark settings along a short segment.
    quietly([&] {
        sparks.setGeneratorProperties(glm::vec3(-1, 0, 0), glm::vec3(1, 0, 0), glm::vec3(-4, 0, -4),
                                      glm::vec3(4, 8, 4), glm::vec3(0, -4, 0), 2.0f, 3.0f, 0.025f,
                                      0.05f, 0.05f, glm::vec3(1, 0.75f, 0.25f), 1.0f);
    });
    ASSERT_TRUE(sparks.initialize(programs.update.get(), programs.render.get()));
    sparks.setTexture(particle_test::makeGlowTexture(32));
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f);
    const glm::vec3 eye(0, 2.5f, 7), center(0, 2.5f, 0), up(0, 1, 0);
    for (int frame = 0; frame < 60; ++frame) {
        sparks.setMatrices(projection, eye, center, up);
        sparks.updateParticles(1.0f / 30.0f);
    }
    ASSERT_GT(sparks.numParticles, 25);
    target.clear(kBlack);
    glEnable(GL_DEPTH_TEST);
    sparks.renderParticles();
    glDisable(GL_DEPTH_TEST);
    target.snapshot("sparks.png");

    // Where each spark's centre falls on the target, whether it is still at
    // full strength (before the fade at the end of its life) and how large it
    // is there: a sprite much smaller than a pixel only grazes pixel centres.
    struct Spot {
        glm::vec2 at;
        bool full;
        float halfPixels;  // half the quad's width on the target
    };
    std::vector<Spot> spots;
    for (const Particle& p : particle_test::liveParticles(sparks)) {
        if (p.type != 1) continue;
        const glm::vec4 clip =
            projection * sparks.viewMatrix * glm::vec4(particle_test::vec(p.position), 1);
        if (clip.w < 0.2f) continue;  // flew past the camera
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        spots.push_back({(ndc * 0.5f + 0.5f) * 256.0f, p.timeleft > p.lifetime / 3.0f,
                         p.size * projection[1][1] * 128.0f / clip.w});
    }

    const std::vector<unsigned char> pixels = target.pixels();
    auto red = [&](int x, int y) { return pixels[static_cast<size_t>((y * 256 + x) * 4)]; };
    int checked = 0;
    for (const Spot& spot : spots) {
        if (!spot.full || spot.halfPixels < 1.5f) continue;
        if (spot.at.x < 2 || spot.at.y < 2 || spot.at.x > 254 || spot.at.y > 254) continue;
        ++checked;
        int brightest = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                brightest = std::max<int>(brightest, red(static_cast<int>(spot.at.x) + dx,
                                                         static_cast<int>(spot.at.y) + dy));
            }
        }
        EXPECT_GT(brightest, 40) << "no glow at " << spot.at.x << ", " << spot.at.y;
    }
    EXPECT_GT(checked, 5);

    // Light only where sparks are, and warm: red over green over blue.
    int lit = 0, brightest = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const unsigned char* p = &pixels[static_cast<size_t>((y * 256 + x) * 4)];
            brightest = std::max<int>(brightest, p[0]);
            if (p[0] < 30) continue;
            ++lit;
            EXPECT_GE(p[0], p[1]);
            EXPECT_GE(p[1], p[2]);
            // Within some spark's quad (its corners lie 1.42 half-widths out).
            bool covered = false;
            for (const Spot& spot : spots) {
                const float reach = 1.42f * spot.halfPixels + 1.5f;
                covered = covered || glm::distance(spot.at, glm::vec2(x, y) + 0.5f) < reach;
            }
            EXPECT_TRUE(covered) << "stray light at " << x << ", " << y;
        }
    }
    EXPECT_GT(brightest, 200);
    EXPECT_GT(lit, checked);
    EXPECT_TRUE(context.errors().empty());
}
