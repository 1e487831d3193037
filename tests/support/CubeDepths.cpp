#include "support/CubeDepths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A full-viewport triangle; the fragment's texel centre turned into the
// direction that addresses the same texel of face `face` (GL's cube-map
// face selection undone: major axis, then s and t), its depth packed into RGB.
const char* const kReadVertex = R"(
void main() {
    vec2 corner = vec2(gl_VertexID == 1 ? 3.0 : -1.0, gl_VertexID == 2 ? 3.0 : -1.0);
    gl_Position = vec4(corner, 0.0, 1.0);
})";
const char* const kReadFragment = R"(
uniform highp samplerCube cube;
uniform int face;
uniform float size;
out vec4 colour;
void main() {
    vec2 st = gl_FragCoord.xy * (2.0 / size) - 1.0;
    float s = st.x, t = st.y;
    vec3 d = face == 0 ? vec3(1.0, -t, -s)
           : face == 1 ? vec3(-1.0, -t, s)
           : face == 2 ? vec3(s, 1.0, t)
           : face == 3 ? vec3(s, -1.0, -t)
           : face == 4 ? vec3(s, -t, 1.0)
                       : vec3(-s, -t, -1.0);
    uint n = uint(round(texture(cube, d).r * 16777215.0));
    colour = vec4(float(n >> 16u), float((n >> 8u) & 255u), float(n & 255u), 255.0) / 255.0;
})";

GLuint compile(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        ADD_FAILURE() << "cube read-back: " << log;
    }
    return shader;
}

}  // namespace

std::vector<unsigned> readCubeDepths(GLuint cube, int size, bool es) {
    const std::string version = es ? "#version 300 es\nprecision highp float;\nprecision highp int;\n"
                                   : "#version 330 core\n";
    const GLuint program = glCreateProgram();
    const GLuint vertex = compile(GL_VERTEX_SHADER, version + kReadVertex);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, version + kReadFragment);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);

    GLuint colour = 0, framebuffer = 0, array = 0, sampler = 0;
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size, size);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glGenVertexArrays(1, &array);
    glBindVertexArray(array);
    // The depths themselves: no comparison, no filtering (which ES refuses).
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    glBindSampler(0, sampler);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "cube"), 0);
    glUniform1f(glGetUniformLocation(program, "size"), static_cast<float>(size));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, size, size);
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST), blend = glIsEnabled(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);

    std::vector<unsigned> depths;
    std::vector<unsigned char> pixels(static_cast<size_t>(size) * size * 4);
    for (int face = 0; face < 6; ++face) {
        glUniform1i(glGetUniformLocation(program, "face"), face);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        for (size_t i = 0; i < pixels.size(); i += 4) {
            depths.push_back(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
        }
    }

    if (depthTest) glEnable(GL_DEPTH_TEST);
    if (blend) glEnable(GL_BLEND);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glUseProgram(0);
    glBindSampler(0, 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    glBindVertexArray(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteVertexArrays(1, &array);
    glDeleteSamplers(1, &sampler);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &colour);
    glDeleteProgram(program);
    return depths;
}
