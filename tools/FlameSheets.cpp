// Additive flame sheets on black: a large tongue of flame over its short
// life (6 x 6, 36 frames) and a cluster of small flickering flames that loops
// (4 x 4, 16 frames).
#include <algorithm>
#include <cmath>
#include <glm/gtc/noise.hpp>
#include <vector>

#include "tools/Assets.h"
#include "tools/Noise.h"
#include "tools/SpriteSheet.h"

namespace {

using noise::smoothstep;

glm::vec3 flameColour(float heat) {
    return noise::ramp(heat, {{0.0f, {0.0f, 0.0f, 0.0f}},
                              {0.15f, {0.25f, 0.03f, 0.0f}},
                              {0.35f, {0.75f, 0.18f, 0.02f}},
                              {0.6f, {1.0f, 0.5f, 0.08f}},
                              {0.85f, {1.0f, 0.8f, 0.35f}},
                              {1.0f, {1.0f, 0.95f, 0.8f}}});
}

struct Tongue {
    float x;       // root position across the cell
    float base;    // root height
    float height;  // length of the tongue
    float width;   // half width at its widest
};

// Heat of one tongue at p; `churn` is the turbulence there (about -1..1) and
// `sway` bends the upper part sideways.
float tongueHeat(glm::vec2 p, const Tongue& tongue, float churn, float sway) {
    const float s = (p.y - tongue.base) / tongue.height;  // 0 at the root, 1 at the tip
    if (s < -0.3f || s > 1.3f) return 0.0f;
    const float along = std::clamp(s, 0.0f, 1.0f);
    // Round at the root, drawn out to a point at the tip.
    const float profile = tongue.width * (0.6f + 0.4f * std::sqrt(std::min(1.0f, along * 3.0f))) *
                              std::pow(1.0f - along, 0.8f) +
                          0.015f;
    const float centre = tongue.x + sway * along * along;
    const float across = std::abs(p.x - centre) / profile;
    const float below = s < 0.0f ? -s / 0.3f : 0.0f;
    const float d = across + below * 1.5f + 0.6f * churn * (0.25f + 1.2f * along);
    const float shape = (1.0f - smoothstep(0.35f, 1.0f, d)) * (1.0f - smoothstep(0.85f, 1.1f, s));
    // Hottest low in the middle, cooling toward the tip and the edges.
    const float core =
        (1.0f - smoothstep(0.0f, 0.7f, across)) * (1.0f - smoothstep(0.1f, 0.85f, along));
    return shape * (0.55f + 0.45f * core) * (1.0f - 0.5f * smoothstep(0.5f, 1.1f, s));
}

// Keeps the flame off the cell border so mip levels do not bleed between cells.
float cellMask(glm::vec2 p) {
    return 1.0f - smoothstep(0.86f, 0.96f, std::max(std::abs(p.x), std::abs(p.y)));
}

glm::vec4 largeTongue(int frame, glm::vec2 p) {
    if (std::abs(p.x) > 0.92f || p.y < -0.95f) return glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    const float t = frame / 35.0f;
    // Shoots up, licks for a while, then shrinks and dies down.
    const float rise = smoothstep(0.0f, 0.25f, t);
    const float fall = smoothstep(0.7f, 1.0f, t);
    const Tongue tongue{0.0f, -0.8f, 0.7f + 1.0f * rise - 0.55f * fall, 0.5f - 0.12f * fall};
    // The turbulence streams upward through the flame as it lives.
    const glm::vec3 q(p.x * 2.6f, p.y * 1.8f - t * 4.0f, t * 1.5f);
    const float churn = noise::fbm(q, 4, 0.55f, 111);
    const float sway = 0.25f * std::sin(t * 9.0f + 0.5f) +
                       0.15f * noise::fbm(glm::vec3(t * 3.0f, 0.0f, 1.0f), 2, 0.5f, 112);
    float heat = tongueHeat(p, tongue, churn, sway);
    heat *= 1.0f - 0.5f * fall;
    return glm::vec4(flameColour(std::clamp(heat, 0.0f, 1.0f)) * cellMask(p), 1.0f);
}

// Per frame of the small flames: how tall, where and how bent each tongue is.
struct SmallFrame {
    glm::vec2 loop;
    Tongue tongues[4];
    float sway[4];
};

SmallFrame smallFrame(int frame) {
    // One loop: time goes round a circle in the noise, so frame 15 leads back to 0.
    const float angle = 6.2831853f * frame / 16.0f;
    SmallFrame f;
    f.loop = glm::vec2(std::cos(angle) * 0.6f, std::sin(angle) * 0.6f);
    const float xs[4] = {-0.34f, -0.08f, 0.16f, 0.4f};
    const float scale[4] = {0.8f, 1.2f, 0.95f, 0.6f};
    for (int i = 0; i < 4; ++i) {
        const float flicker = 0.5f + 0.5f * glm::simplex(glm::vec4(f.loop, 3.0f * i, 7.0f));
        const float drift = 0.06f * glm::simplex(glm::vec4(f.loop, 5.0f * i, 1.0f));
        f.tongues[i] = {xs[i] + drift, -0.8f, (0.45f + 0.75f * flicker) * scale[i],
                        0.2f + 0.06f * flicker};
        f.sway[i] = 0.2f * glm::simplex(glm::vec4(f.loop * 1.3f, 11.0f * i, 2.0f));
    }
    return f;
}

glm::vec4 smallFlames(const SmallFrame& f, glm::vec2 p) {
    // A low bed of flame that the tongues rise from.
    const glm::vec2 bed(p.x / 0.62f, (p.y + 0.72f) / 0.16f);
    float heat = 0.0f;
    if (glm::length(bed) < 1.6f) {
        const float ragged = 0.3f * glm::simplex(glm::vec4(p * 4.0f, f.loop));
        heat = 0.6f * (1.0f - smoothstep(0.5f, 1.0f, glm::length(bed) + ragged));
    }
    for (int i = 0; i < 4; ++i) {
        const Tongue& tongue = f.tongues[i];
        if (std::abs(p.x - tongue.x) > tongue.width * 2.0f + std::abs(f.sway[i]) + 0.1f) continue;
        if (p.y < tongue.base - 0.3f * tongue.height || p.y > tongue.base + 1.3f * tongue.height)
            continue;
        const float churn =
            glm::simplex(glm::vec4(p.x * 3.0f + 5.0f * i, p.y * 2.2f, f.loop)) * 0.8f;
        heat = std::max(heat, tongueHeat(p, tongue, churn, f.sway[i]));
    }
    return glm::vec4(flameColour(std::clamp(heat * 0.95f, 0.0f, 1.0f)) * cellMask(p), 1.0f);
}

}  // namespace

void writeFlameSheets(AssetWriter& out) {
    out.tga("flames3.tga", spriteSheet(6, 6, 128, 36, largeTongue), 24);
    std::vector<SmallFrame> frames;
    for (int frame = 0; frame < 16; ++frame) frames.push_back(smallFrame(frame));
    out.tga("flames2.tga",
            spriteSheet(4, 4, 128, 16,
                        [&](int frame, glm::vec2 p) { return smallFlames(frames[frame], p); }),
            24);
}
