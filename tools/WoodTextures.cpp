// Wood: weathered planks for the turning structure and charred timber for the
// effigy. Both tiles cover 1 m across (u) by 2 m along the grain (v), so a
// beam face of up to 30 cm fits inside one plank of the three.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "tools/Assets.h"
#include "tools/CharredBlocks.h"
#include "tools/Field.h"
#include "tools/Noise.h"

namespace {

using noise::smoothstep;
constexpr int kSize = 1024;
constexpr int kPlanks = 3;

struct Planks {
    Field height{kSize, kSize};
    Image colour{kSize, kSize};
};

// Growth rings seen on a sawn face: bands across u that drift slowly along
// the plank, bending around knots. Returns the latewood share 0..1.
float rings(float across, float drift, float knot, uint32_t plank) {
    const float density = 32.0f + 20.0f * noise::hash01(plank, 1);  // rings per metre
    const float t = (across + drift + knot) * density;
    const float f = t - std::floor(t);
    return smoothstep(0.55f, 0.8f, f) * (1.0f - smoothstep(0.85f, 1.0f, f));
}

// Knots: two per plank. Returns the sideways push they give the rings and
// how much of a dark knot core lies at (local across, v along).
std::pair<float, float> knots(float local, float v, uint32_t id) {
    float push = 0.0f;
    float core = 0.0f;
    for (int k = 0; k < 2; ++k) {
        const glm::vec2 at(0.2f + 0.6f * noise::hash01(id, 10 + k),
                           noise::hash01(id, 20 + k) * 2.0f);
        glm::vec2 d(local - at.x, std::remainder(v - at.y, 2.0f));
        d.x /= kPlanks;
        const float r = glm::length(d * glm::vec2(1.0f, 0.35f));
        push += 0.012f * std::exp(-r * r / 0.0009f) * (d.x > 0.0f ? 1.0f : -1.0f);
        core = std::max(core, 1.0f - smoothstep(0.008f, 0.014f, r));
    }
    return {push, core};
}

// A drying check: one thin split along the grain per plank, 30 cm long,
// wavering with the fibres.
float dryingCheck(float local, float v, float wobble, uint32_t id) {
    const float across = std::abs(local - 0.3f - 0.4f * noise::hash01(id, 30)) / kPlanks;
    const float along = std::abs(std::remainder(v - noise::hash01(id, 31) * 2.0f, 2.0f));
    return (1.0f - smoothstep(0.0f, 0.0015f, across + 0.002f * wobble)) *
           smoothstep(0.3f, 0.0f, along - 0.15f);
}

Planks weatheredPlanks() {
    Planks p;
    const Field drift = noise::fbmField(kSize, 2, 3, 0.6f, 61);
    const Field fibre = noise::fbmField(kSize, 64, 3, 0.5f, 62);
    const Field weather = noise::fbmField(kSize, 3, 4, 0.5f, 63);
    const Field moss = noise::fbmField(kSize, 8, 3, 0.5f, 64);
    // Fibres: fine streaks along the grain, one value per pixel column,
    // softened across (-0.5..0.5).
    std::vector<float> streak(kSize);
    for (int x = 0; x < kSize; ++x) {
        const float sum = noise::hash01(x, 66) + noise::hash01((x + 1) % kSize, 66) +
                          noise::hash01((x + kSize - 1) % kSize, 66);
        streak[x] = sum / 3.0f - 0.5f;
    }
    parallelRows(kSize, [&](int y) {
        for (int x = 0; x < kSize; ++x) {
            const float u = (x + 0.5f) / kSize;         // 0..1 m across
            const float v = (y + 0.5f) / kSize * 2.0f;  // 0..2 m along
            const int plank = std::min(static_cast<int>(u * kPlanks), kPlanks - 1);
            const float local = u * kPlanks - plank;  // 0..1 across the plank
            const uint32_t id = noise::hash(65, plank);
            // Each plank is butt-jointed once per tile, at its own place.
            const float joint = noise::hash01(id, 2) * 2.0f;
            const float toJoint = std::abs(std::remainder(v - joint, 2.0f));
            const float seam = std::min(local, 1.0f - local) / kPlanks;  // metres to the edge
            const auto [knot, knotCore] = knots(local, v, id);
            const float late = rings(u, 0.05f * drift.at(x, y), 1.6f * knot, id);
            const float check = dryingCheck(local, v, fibre.at(x, y), id);

            const float gap =
                smoothstep(0.0015f, 0.004f, seam) * smoothstep(0.0015f, 0.004f, toJoint);
            const float cup = smoothstep(0.0f, 0.03f, seam);  // plank edges wear round
            const float grey =
                smoothstep(-0.3f, 0.4f, weather.at(x, y)) * (0.5f + 0.5f * noise::hash01(id, 3));
            const glm::vec3 fresh =
                glm::vec3(0.46f, 0.34f, 0.22f) * (0.85f + 0.3f * noise::hash01(id, 4));
            const glm::vec3 silvered(0.47f, 0.44f, 0.40f);
            glm::vec3 c = glm::mix(fresh, silvered, 0.75f * grey);
            c *= 1.0f - 0.3f * late;
            const float f = fibre.at(x, y);
            c *= 0.92f + 0.08f * f + 0.35f * streak[x] * (0.6f + 0.4f * f);
            c = glm::mix(c, glm::vec3(0.17f, 0.12f, 0.08f), knotCore);
            c = glm::mix(c, glm::vec3(0.21f, 0.23f, 0.13f),
                         0.35f * smoothstep(0.35f, 0.6f, moss.at(x, y)) * (1.0f - cup * 0.5f));
            c *= (0.65f + 0.35f * cup) * (1.0f - 0.7f * check);
            c = glm::mix(glm::vec3(0.04f, 0.035f, 0.03f), c, gap);
            // Nail heads near each joint.
            for (int n = 0; n < 2; ++n) {
                const glm::vec2 nail((0.3f + 0.4f * n) / kPlanks, 0.04f);
                const glm::vec2 d(local / kPlanks - nail.x, toJoint - nail.y);
                if (glm::length(d) < 0.004f) c = glm::vec3(0.12f, 0.09f, 0.07f);
            }
            p.colour.set(x, y, c);
            p.height.at(x, y) = gap * (0.55f + 0.3f * cup + 0.15f * late + 0.1f * streak[x] -
                                       0.25f * check - 0.1f * knotCore);
        }
    });
    return p;
}

// Charred timber: the surface burnt into blocks, split by long cracks along
// the grain and shorter ones across it. The cracks are darkest (black with a
// trace of dull red), the block tops carry a dull sheen and a little pale ash.
Image charredWood() {
    Image colour(kSize, kSize);
    const CharredBlocks blocks(kSize);
    const Field fibre = noise::fbmField(kSize, 64, 2, 0.5f, 73);
    const Field ash = noise::fbmField(kSize, 10, 4, 0.55f, 74);
    std::vector<float> streak(kSize);
    for (int x = 0; x < kSize; ++x) streak[x] = noise::hash01(x, 76) - 0.5f;
    parallelRows(kSize, [&](int y) {
        for (int x = 0; x < kSize; ++x) {
            const CharSpot spot = blocks.at(x, y);
            const float crack = 1.0f - smoothstep(0.0f, spot.sideWidth, spot.toSide) *
                                           smoothstep(0.0f, spot.endWidth, spot.toEnd);
            const float dome = smoothstep(0.0f, 0.012f, std::min(spot.toSide, spot.toEnd * 0.7f));
            const float shade = 0.4f + 0.6f * noise::hash01(spot.strip, spot.block, 3);
            glm::vec3 c = glm::mix(glm::vec3(0.05f, 0.045f, 0.04f), glm::vec3(0.16f, 0.15f, 0.14f),
                                   dome * shade);
            c *= 0.85f + 0.25f * fibre.at(x, y) + 0.18f * streak[x];
            const float pale = smoothstep(0.3f, 0.55f, ash.at(x, y)) * dome;
            c = glm::mix(c, glm::vec3(0.36f, 0.34f, 0.31f), 0.55f * pale);
            c = glm::mix(c, glm::vec3(0.045f, 0.012f, 0.005f), crack);
            colour.set(x, y, glm::max(c, glm::vec3(0.0f)));
        }
    });
    return colour;
}

}  // namespace

void writeWoodTextures(AssetWriter& out) {
    Planks planks = weatheredPlanks();
    planks.height.normalize();
    out.jpeg("wood17.jpg", planks.colour);
    out.jpeg("wood17d.jpg", planks.height.toImage());
    out.jpeg("wood17n_2.jpg", planks.height.normalMap(12.0f));
    out.jpeg("wood_burnt.jpg", charredWood());
}
