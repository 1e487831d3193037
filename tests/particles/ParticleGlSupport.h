#pragma once
// Helpers shared by the particle gl tests: the programs of both paths,
// direct access to the particle buffers, a small render target and test
// textures.
#include <FreeImage.h>
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"
#include "GraphicsEngine/ResourcePaths.h"
#include "particles/ParticleRing.h"
#include "particles/ParticleSystem.h"

namespace particle_test {

// "ps_update" and "ps_render", built as start-up builds them.
struct Programs {
    std::shared_ptr<graph::Shader> update = std::make_shared<graph::Shader>();
    std::shared_ptr<graph::Shader> render = std::make_shared<graph::Shader>();

    Programs() {
        testing::internal::CaptureStdout();
        update->createProgram(paths::kShaderDir + "PSUpdate.vert",
                              paths::kShaderDir + "PSUpdate.frag",
                              paths::kShaderDir + "PSUpdate.geom", true);
        render->createProgram(paths::kShaderDir + "PSRender.vert",
                              paths::kShaderDir + "PSRender.frag",
                              paths::kShaderDir + "PSRender.geom", false);
        testing::internal::GetCapturedStdout();
    }
};

// "ps_update_es" and "ps_render_es", the programs of ParticleRing.
struct RingPrograms {
    std::shared_ptr<graph::Shader> update = std::make_shared<graph::Shader>();
    std::shared_ptr<graph::Shader> render = std::make_shared<graph::Shader>();

    RingPrograms() {
        testing::internal::CaptureStdout();
        update->createProgram({graph::Stages::VertexCapture, paths::kShaderDir + "PSUpdateES.vert",
                               paths::kShaderDir + "PSUpdateES.frag", ""});
        render->createProgram({graph::Stages::Two, paths::kShaderDir + "PSRenderES.vert",
                               paths::kShaderDir + "PSRenderES.frag", ""});
        testing::internal::GetCapturedStdout();
    }
};

// Runs a step whose console lines the test does not look at.
template <typename Step>
void quietly(Step&& step) {
    testing::internal::CaptureStdout();
    step();
    testing::internal::GetCapturedStdout();
}

// A program whose vertex stage compiles but cannot link (a function is
// declared and never defined); true when it indeed failed to link.
inline bool makeUnlinkedProgram(graph::Shader& shader) {
    shader.program = glCreateProgram();
    shader.vertexShader = glCreateShader(GL_VERTEX_SHADER);
    const char* source = "#version 330 core\nvoid missing();\nvoid main() { missing(); }\n";
    glShaderSource(shader.vertexShader, 1, &source, nullptr);
    glCompileShader(shader.vertexShader);
    glAttachShader(shader.program, shader.vertexShader);
    glLinkProgram(shader.program);
    GLint linked = 1;
    glGetProgramiv(shader.program, GL_LINK_STATUS, &linked);
    return linked == 0;
}

inline std::vector<Particle> readParticles(const ParticleSystem& system, int buffer, int count) {
    std::vector<Particle> records(static_cast<size_t>(count));
    glBindBuffer(GL_ARRAY_BUFFER, system.particleBuffers[buffer]);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, count * static_cast<GLsizeiptr>(sizeof(Particle)),
                       records.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return records;
}

// Every slot of one of a ring's buffers.
inline std::vector<Particle> readSlots(const ParticleRing& ring, int buffer) {
    std::vector<Particle> records(static_cast<size_t>(ring.slotCount()));
    glBindBuffer(GL_ARRAY_BUFFER, ring.buffer(buffer));
    glGetBufferSubData(GL_ARRAY_BUFFER, 0,
                       ring.slotCount() * static_cast<GLsizeiptr>(sizeof(Particle)),
                       records.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return records;
}

inline std::vector<Particle> currentSlots(const ParticleRing& ring) {
    return readSlots(ring, ring.currentBuffer());
}

// Replaces the first slots of the ring's live buffer, as if updates had written them.
inline void writeSlots(ParticleRing& ring, const std::vector<Particle>& records) {
    glBindBuffer(GL_ARRAY_BUFFER, ring.buffer(ring.currentBuffer()));
    glBufferSubData(GL_ARRAY_BUFFER, 0, records.size() * static_cast<GLsizeiptr>(sizeof(Particle)),
                    records.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

inline std::vector<Particle> liveParticles(const ParticleSystem& system) {
    return readParticles(system, system.currentBuffer, system.numParticles);
}

// Replaces the live records, as if earlier updates had written them.
inline void writeParticles(ParticleSystem& system, const std::vector<Particle>& records) {
    glBindBuffer(GL_ARRAY_BUFFER, system.particleBuffers[system.currentBuffer]);
    glBufferSubData(GL_ARRAY_BUFFER, 0, records.size() * static_cast<GLsizeiptr>(sizeof(Particle)),
                    records.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    system.numParticles = static_cast<int>(records.size());
}

inline Particle makeParticle(const glm::vec3& position, float size, float lifetime, float timeleft,
                             const glm::vec3& color = glm::vec3(1.0f)) {
    Particle particle{};
    for (int i = 0; i < 3; ++i) {
        particle.position[i] = position[i];
        particle.color[i] = color[i];
    }
    particle.lifetime = lifetime;
    particle.timeleft = timeleft;
    particle.size = size;
    particle.type = 1;
    return particle;
}

inline glm::vec3 vec(const float (&values)[3]) {
    return glm::vec3(values[0], values[1], values[2]);
}

// An offscreen colour + depth target, bound while it lives.
class Target {
public:
    Target(int width, int height) : width_(width), height_(height) {
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glGenRenderbuffers(2, renderbuffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  renderbuffers_[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  renderbuffers_[1]);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
                  static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, width, height);
    }
    ~Target() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, renderbuffers_);
        glDeleteFramebuffers(1, &framebuffer_);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    void clear(const glm::vec4& color, float depth = 1.0f) const {
        glClearColor(color.r, color.g, color.b, color.a);
        glClearDepth(depth);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // RGBA bytes, bottom row first.
    std::vector<unsigned char> pixels() const {
        std::vector<unsigned char> data(static_cast<size_t>(width_ * height_ * 4));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, data.data());
        return data;
    }

    glm::ivec4 pixel(int x, int y) const {
        unsigned char rgba[4] = {0, 0, 0, 0};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return glm::ivec4(rgba[0], rgba[1], rgba[2], rgba[3]);
    }

    float depth(int x, int y) const {
        float value = -1.0f;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &value);
        return value;
    }

    // Writes the colour buffer as a PNG when EMBERWIGHT_SNAPSHOT_DIR names a
    // folder, so a person can look at what the test rendered.
    void snapshot(const std::string& name) const {
        const char* folder = std::getenv("EMBERWIGHT_SNAPSHOT_DIR");
        if (folder == nullptr || *folder == '\0') return;
        std::vector<unsigned char> data = pixels();
        FIBITMAP* image = FreeImage_Allocate(width_, height_, 24);
        for (int y = 0; y < height_; ++y) {
            BYTE* row = FreeImage_GetScanLine(image, y);  // FreeImage rows are bottom-up too
            for (int x = 0; x < width_; ++x) {
                const unsigned char* source = &data[static_cast<size_t>((y * width_ + x) * 4)];
                row[x * 3 + FI_RGBA_RED] = source[0];
                row[x * 3 + FI_RGBA_GREEN] = source[1];
                row[x * 3 + FI_RGBA_BLUE] = source[2];
            }
        }
        FreeImage_Save(FIF_PNG, image, (std::string(folder) + "/" + name).c_str(), 0);
        FreeImage_Unload(image);
    }

private:
    int width_;
    int height_;
    GLuint framebuffer_ = 0;
    GLuint renderbuffers_[2] = {0, 0};
};

// Uploads an RGBA image given top row first the way the texture loader does:
// bottom row first, so texture t = 0 is the image's bottom row.
inline GLuint makeTexture(int width, int height, const std::vector<unsigned char>& topDownRgba,
                          GLenum filter) {
    std::vector<unsigned char> bottomUp(topDownRgba.size());
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::copy_n(&topDownRgba[static_cast<size_t>(height - 1 - y) * rowBytes], rowBytes,
                    &bottomUp[static_cast<size_t>(y) * rowBytes]);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

// A sheet of 2 x 2 cells of 8 x 8 texels, top row red | green, bottom row
// blue | yellow (as the image is seen, top row first).
inline std::vector<unsigned char> quadrantImage() {
    const glm::u8vec4 colors[4] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}};
    std::vector<unsigned char> image;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const glm::u8vec4& c = colors[(y / 8) * 2 + x / 8];
            image.insert(image.end(), {c.r, c.g, c.b, c.a});
        }
    }
    return image;
}

// A soft white dot on black: the kind of sprite sparks are drawn with.
inline GLuint makeGlowTexture(int size) {
    std::vector<unsigned char> image(static_cast<size_t>(size * size * 4));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = (x + 0.5f) / size * 2.0f - 1.0f;
            const float dy = (y + 0.5f) / size * 2.0f - 1.0f;
            const float glow = glm::clamp(1.0f - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
            const auto value = static_cast<unsigned char>(255.0f * glow * glow);
            unsigned char* texel = &image[static_cast<size_t>((y * size + x) * 4)];
            texel[0] = texel[1] = texel[2] = value;
            texel[3] = 255;
        }
    }
    return makeTexture(size, size, image, GL_LINEAR);
}

}  // namespace particle_test
