// A puff of smoke over its life, 46 frames in a 7 x 7 sheet: it starts as a
// small dense knot, grows and billows, then thins and breaks up. Alpha is the
// density; the colour is a soft grey lit from above, darker underneath.
#include <algorithm>
#include <cmath>

#include "tools/Assets.h"
#include "tools/Noise.h"
#include "tools/SpriteSheet.h"

namespace {

using noise::smoothstep;
constexpr int kFrames = 46;

// Density of the puff at p (cell units, y up) at life t in 0..1.
float density(glm::vec2 cell, float t) {
    const float grow = 1.0f - (1.0f - t) * (1.0f - t);
    // The puff fills most of its cell from the start and spreads to the border.
    const glm::vec2 p = cell * (0.8f - 0.12f * grow);
    const float radius = 0.5f + 0.42f * grow;
    const glm::vec2 centre(0.0f, -0.06f + 0.08f * grow);
    // Billows: a ring of lobes around the core that drift outward.
    float body = -10.0f;
    for (int i = 0; i < 7; ++i) {
        const float angle = 6.2831853f * (i / 7.0f + noise::hash01(i, 101) * 0.1f);
        const float spread = radius * (0.4f + 0.25f * noise::hash01(i, 102)) * (0.6f + 0.4f * grow);
        const glm::vec2 lobe =
            centre + glm::vec2(std::cos(angle), std::sin(angle) * 0.85f) * spread;
        const float size = radius * (0.42f + 0.18f * noise::hash01(i, 103));
        const float d = glm::length(p - lobe) / size;
        body = std::max(body, 1.0f - d * d);
    }
    const float core = 1.0f - glm::dot(p - centre, p - centre) / (radius * radius * 0.5f);
    body = std::max(body, core);
    if (body <= -0.35f) return 0.0f;  // far outside the puff
    // Turbulence eats the edges, more as the puff ages.
    const glm::vec3 q(p * (2.2f - 0.6f * grow), t * 1.8f);
    const float churn = noise::fbm(q, 4, 0.5f, 104);
    const float thinning = 0.1f + 0.55f * t;
    float d = smoothstep(thinning, thinning + 0.8f, body + 0.5f * churn);
    d *= 0.65f + 0.15f * churn;  // never quite opaque: many puffs overlap in the plume
    d *= smoothstep(-0.35f, 0.0f, body);            // no stray wisps far from the puff
    d *= 1.0f - 0.5f * smoothstep(0.45f, 1.0f, t);  // it thins out
    d *= smoothstep(0.0f, 0.3f, t + 0.08f);         // thin while still in the flames
    // Never reach the cell's border, so neighbouring frames cannot bleed in.
    d *= 1.0f - smoothstep(0.82f, 0.95f, std::max(std::abs(cell.x), std::abs(cell.y)));
    d *= 1.0f - smoothstep(0.75f, 1.05f, glm::length(cell));  // round, not square, when grown
    return std::clamp(d, 0.0f, 1.0f);
}

glm::vec4 puff(int frame, glm::vec2 p) {
    const float t = frame / static_cast<float>(kFrames - 1);
    const float d = density(p, t);
    if (d <= 0.0f) return glm::vec4(0.0f);
    // Self-shadow: how much smoke lies toward the light above.
    const float above = density(p + glm::vec2(-0.04f, 0.12f), t);
    const float lit = std::clamp(1.0f - 0.55f * above + 0.25f * (1.0f - d), 0.0f, 1.0f);
    const glm::vec3 shadow(0.36f, 0.35f, 0.36f);
    const glm::vec3 light(0.86f, 0.84f, 0.80f);
    return glm::vec4(glm::mix(shadow, light, lit), d);
}

}  // namespace

void writeSmokeSheet(AssetWriter& out) {
    out.tga("smoke45_alpha.tga", spriteSheet(7, 7, 128, kFrames, puff), 32);
}
