// Additive flame sheets on black. The large flames (6 x 6, 36 frames) are a
// flicker cycle of one full flame body: a broad base that fills the cell and
// breaks up into licking tongues toward the top. The small flames (4 x 4, 16
// frames) are the life of one tongue: it leaps up, licks and sways, then
// shrinks away.
#include <algorithm>
#include <cmath>
#include <glm/gtc/noise.hpp>

#include "tools/Assets.h"
#include "tools/Noise.h"
#include "tools/SpriteSheet.h"

namespace {

using noise::smoothstep;
constexpr float kTwoPi = 6.2831853f;

// Hottest yellow-white, through orange, to a deep red at the edges and tips.
glm::vec3 flameColour(float heat) {
    return noise::ramp(heat, {{0.0f, {0.0f, 0.0f, 0.0f}},
                              {0.15f, {0.22f, 0.02f, 0.0f}},
                              {0.35f, {0.62f, 0.12f, 0.01f}},
                              {0.6f, {0.95f, 0.42f, 0.05f}},
                              {0.82f, {1.0f, 0.72f, 0.24f}},
                              {1.0f, {1.0f, 0.92f, 0.62f}}});
}

// Fractal perlin noise that repeats every `period` on each axis; the periods
// double with each octave, so the sum repeats too. Streaming the flame one
// period upward per cycle makes the cycle loop without a seam.
float loopingFbm(glm::vec3 p, glm::vec3 period, int octaves, uint32_t seed) {
    const glm::vec3 offset(noise::seedOffset(seed), 0.0f);
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        const float f = static_cast<float>(1 << o);
        sum += amplitude * glm::perlin(p * f + offset * f, period * f);
        norm += amplitude;
        amplitude *= 0.5f;
    }
    return sum / norm;
}

// Keeps the flame off the cell border so mip levels do not bleed between cells.
float cellMask(glm::vec2 p) {
    return 1.0f - smoothstep(0.84f, 0.95f, std::max(std::abs(p.x), std::abs(p.y)));
}

glm::vec4 withMask(float heat, glm::vec2 p) {
    return glm::vec4(flameColour(std::clamp(heat, 0.0f, 1.0f)) * cellMask(p), 1.0f);
}

// One frame of the large flames' cycle at p (cell units, y up).
glm::vec4 flameBody(int frame, glm::vec2 p) {
    const float t = frame / 36.0f;
    const float s = (p.y + 0.8f) / 1.64f;  // 0 at the base, 1 at the top
    if (s < -0.1f || s > 1.1f) return glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    // The whole upper flame leans and sways, slowly, the tips most.
    const float sway =
        0.35f * std::pow(std::max(s, 0.0f), 1.5f) *
        loopingFbm(glm::vec3(0.3f, p.y * 0.6f - 2.0f * t, 2.0f * t), glm::vec3(64, 2, 2), 2, 121);
    const float x = p.x - sway;
    // Broad at the base, rounded below like a bowl, narrowing to the top.
    const float bowl = std::sqrt(std::clamp((s + 0.06f) / 0.26f, 0.0f, 1.0f));
    const float width = 0.82f * std::pow(std::clamp(1.0f - s, 0.0f, 1.0f), 0.9f) * bowl;
    // Tall streaks stream upward and split the upper body into tongues;
    // finer turbulence tears the edges.
    const float streaks = loopingFbm(glm::vec3(x * 4.2f, p.y * 1.1f - 3.0f * t, 2.0f * t),
                                     glm::vec3(64, 3, 2), 3, 122);
    const float churn = loopingFbm(glm::vec3(x * 3.0f, p.y * 2.5f - 5.0f * t, 3.0f * t),
                                   glm::vec3(64, 5, 3), 3, 123);
    const float field = 1.0f - std::abs(x) / std::max(width, 0.02f) +
                        streaks * (0.3f + 1.8f * s) + churn * (0.2f + 0.35f * s) - 0.3f * s;
    // A crisp outline around a body that heats up toward its inside.
    const float outline = smoothstep(0.0f, 0.3f, field);
    const float inside = smoothstep(0.1f, 1.15f, field);
    float heat = outline * (0.3f + 0.75f * inside);
    // Hottest low down; the tips cool to red; the base fades in softly.
    heat *= 1.0f - 0.45f * smoothstep(0.05f, 1.0f, s);
    heat *= smoothstep(-0.08f, 0.1f, s) * (1.0f - smoothstep(0.9f, 1.05f, s));
    return withMask(heat, p);
}

// One frame of the small flames: a single tongue over its life.
glm::vec4 oneTongue(int frame, glm::vec2 p) {
    const float t = frame / 15.0f;
    // Leaps up, licks at full height, then sinks and narrows away.
    const float height =
        0.5f + 0.8f * smoothstep(0.0f, 0.3f, t) - 0.55f * smoothstep(0.6f, 1.0f, t);
    const float halfWidth = 0.52f - 0.14f * smoothstep(0.5f, 1.0f, t);
    // Rooted a little below the middle: the particle starts inside its beam,
    // and most of the tongue should show above the wood.
    const float base = -0.5f;
    const float s = (p.y - base) / height;  // 0 at the root, 1 at the tip
    if (s < -0.35f || s > 1.4f) return glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    const float along = std::clamp(s, 0.0f, 1.0f);
    // The tip whips from side to side; the body bends with it.
    const float sway = (0.24f * std::sin(kTwoPi * (0.9f * t + 0.15f)) +
                        0.12f * glm::simplex(glm::vec2(2.5f * t, 1.7f))) *
                       along * along;
    // Round at the root, drawn out to a point at the tip.
    const float root = std::sqrt(std::clamp((s + 0.3f) * 2.5f, 0.0f, 1.0f));
    const float profile =
        halfWidth * (0.45f + 0.55f * root) * std::pow(1.0f - along, 0.75f) + 0.02f;
    // Turbulence streams up through it and frays its edges and tip.
    const float churn = loopingFbm(glm::vec3(p.x * 2.6f, p.y * 1.7f - 2.0f * t, t),
                                   glm::vec3(64, 2, 1), 3, 131);
    const float across = std::abs(p.x - sway) / profile;
    const float d = across + churn * (0.2f + 1.2f * along);
    float heat = 1.0f - smoothstep(0.35f, 1.0f, d);
    heat *= smoothstep(-0.3f, 0.05f, s) * (1.0f - smoothstep(0.7f, 1.1f, s));
    // Hottest low in the middle, red at the edges and the tip.
    const float core =
        (1.0f - smoothstep(0.0f, 0.7f, across)) * (1.0f - smoothstep(0.05f, 0.8f, along));
    heat *= 0.62f + 0.45f * core;
    return withMask(heat, p);
}

}  // namespace

void writeFlameSheets(AssetWriter& out) {
    out.tga("flames3.tga", spriteSheet(6, 6, 128, 36, flameBody), 24);
    out.tga("flames2.tga", spriteSheet(4, 4, 128, 16, oneTongue), 24);
}
