#pragma once
// Every value that shapes the picture and can be tuned while the demo runs
// (Tab's panel) or read from a settings file (--settings). Plain data with no
// GL, owned by the scene; the passes read it each frame. The defaults are the
// scene's own look, written here only.

#include <array>
#include <glm/glm.hpp>


struct TimeSettings {
    // How fast the scene runs against the clock: particles, the fire's flicker
    // and the turning structure. Walking and the tour keep the clock.
    float scale = 1.0f;
};

struct FireLightSettings {
    glm::vec3 color{1.0f, 0.7f, 0.6f};
    float intensity = 1.0f;  // scales the flickering diffuse term
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.022f;
    float quadraticAttenuation = 0.0019f;
    float flicker = 1.0f;  // 0: a steady light at the flicker's mean
};

// The sun and the ambient term share a shape.
struct LightSettings {
    glm::vec3 color{1.0f};
    float intensity = 0.0f;
};

struct FogSettings {
    enum Mode { Linear = 0, Exponential = 1, ExponentialSquared = 2 };
    glm::vec3 color{0.0f};
    int mode = Linear;       // the lit programs' fogEquation
    float density = 0.01f;   // the exponential modes
    float start = 75.0f;     // linear: where the fog begins
    float end = 100.0f;      // linear: where it hides everything
};

// One kind of particle, over all eleven fire segments.
struct ParticleSettings {
    float interval = 0.05f;                  // seconds between emissions
    glm::vec2 life{1.0f, 1.0f};              // seconds, lowest and highest
    glm::vec2 size{0.1f, 0.1f};              // lowest and highest
    float speed = 1.0f;                      // scales the start velocity
    float spread = 1.0f;                     // scales its sideways range
    glm::vec2 wind{0.0f, 0.0f};              // sideways push along x and z, units/s²
};

struct StructureSettings {
    float speed = 18.0f;  // degrees per second about the world's y axis
};

struct GlowSettings {
    // Only light past what the window could show glows: surfaces that stay
    // below the threshold in every channel add nothing to the halo.
    float threshold = 0.85f;
    float exposure = 1.0f;
    float strength = 0.5f;  // how much of the closest halo level the blend adds
};

struct CameraSettings {
    float fieldOfView = 45.0f;  // degrees, vertical
    float walkSpeed = 10.0f;    // units per second along the (sqrt 2 long) view direction
};

// The fire's sound: the volume over all, and each of its layers' levels.
struct SoundSettings {
    float volume = 1.0f;
    float lapping = 1.0f;   // the low roar
    float hiss = 1.0f;      // the rare hissing peaks
    float crackles = 1.0f;  // the wood's cracks
};

struct PictureSettings {
    // 0: the renderer's own (msaa on a GPU, post on a software renderer);
    // then off, post, msaa (render/Antialias.h).
    int antialias = 0;
};

// Sparks, smoke, large flames, small flames: the order of the fire's bundle.
constexpr int kParticleKinds = 4;

struct Settings {
    TimeSettings time;
    FireLightSettings fireLight;
    LightSettings sun{glm::vec3(255.0f, 192.0f, 128.0f) / 255.0f, 0.05f};
    LightSettings ambient{glm::vec3(192.0f, 207.0f, 239.0f) / 255.0f, 0.025f};
    FogSettings fog;
    std::array<ParticleSettings, kParticleKinds> particles{{
        {0.05f, {2.0f, 3.0f}, {0.025f, 0.05f}, 1.0f, 1.0f, {0.0f, 0.0f}},
        {0.03f, {2.0f, 4.0f}, {0.5f, 2.0f}, 1.0f, 1.0f, {0.0f, 0.0f}},
        {0.01f, {0.4f, 0.7f}, {0.35f, 0.85f}, 1.0f, 1.0f, {0.0f, 0.0f}},
        {0.05f, {0.6f, 1.2f}, {0.25f, 0.45f}, 1.0f, 1.0f, {0.0f, 0.0f}},
    }};
    StructureSettings structure;
    GlowSettings glow;
    CameraSettings camera;
    SoundSettings sound;
    PictureSettings picture;
};
