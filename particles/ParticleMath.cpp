#include "particles/ParticleMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace particles {

void EmissionPlan::keepYoungest(int most) {
    const int dropped = bursts - std::max(most, 0);
    if (dropped <= 0) return;
    bursts -= dropped;
    oldestAge -= static_cast<float>(dropped) * spacing;
}

EmissionPlan planEmission(float elapsedTime, float timePassed, float generationInterval) {
    EmissionPlan plan;
    const double spacing = std::max(generationInterval, kShortestInterval);
    // No time passing, and no NaN or endless time either.
    const double dt = timePassed > 0.0f && std::isfinite(timePassed) ? timePassed : 0.0;
    plan.spacing = static_cast<float>(spacing);
    double accumulated = elapsedTime;
    double youngest = 0.0;  // the age of the last burst, once there is one
    if (accumulated > spacing) {
        plan.bursts = 1;
        youngest = dt;
        accumulated = 0.0;
    }
    accumulated += dt;
    if (accumulated > spacing) {
        // Whole intervals past the first, leaving (0, spacing] in the accumulator.
        auto due = static_cast<long long>(std::ceil(accumulated / spacing)) - 1;
        double left = accumulated - static_cast<double>(due) * spacing;
        if (left <= 0.0) {
            --due;
            left += spacing;
        } else if (left > spacing) {
            ++due;
            left -= spacing;
        }
        const long long kept = std::min<long long>(due, kMaxBursts);
        plan.bursts += static_cast<int>(kept);
        youngest = left;
        accumulated = left;
    }
    plan.elapsedTime = static_cast<float>(accumulated);
    if (plan.bursts == 0) return plan;
    plan.oldestAge = static_cast<float>(youngest + (plan.bursts - 1) * spacing);
    const int catchUp = 1 + static_cast<int>(std::floor(kCatchUpSeconds / spacing + 1e-6));
    plan.keepYoungest(std::min(catchUp, kMaxBursts));
    return plan;
}

int RandomSequence::next() {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fffu);
}

namespace {
RandomSequence particleSequence;
}

int drawRandom() { return particleSequence.next(); }

void seedRandom(unsigned seed) { particleSequence.state = seed; }

float foldRandom(int randValue) {
    const float unit = static_cast<float>(randValue % 32768) / 32767.0f;
    return 20.0f * unit - 10.0f;
}

glm::vec3 seedFromDraws(int first, int second, int third) {
    return glm::vec3(foldRandom(third), foldRandom(second), foldRandom(first));
}

int sheetCell(float life, int rows, int cols, int frames, float animSpeed) {
    const int cells = std::max(rows, 1) * std::max(cols, 1);
    const int last = std::min(std::max(frames, 1), cells) - 1;
    const float paced =
        life > 0.0f ? std::pow(std::min(life, 1.0f), std::max(animSpeed, 1e-3f)) : 0.0f;
    return std::min(static_cast<int>(paced * static_cast<float>(last + 1)), last);
}

BillboardAxes billboardAxes(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up) {
    const glm::vec3 forward = glm::normalize(center - eye);
    BillboardAxes axes;
    axes.right = glm::normalize(glm::cross(forward, up));
    axes.down = glm::normalize(glm::cross(forward, axes.right));
    return axes;
}

Blend blendFor(int alphaType) {
    if (alphaType == 1) {
        return {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA};
    }
    return {GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE};  // light adds; it covers nothing
}

DepthToDistance depthToDistance(const glm::mat4& projection) {
    // Clip z = m22 * z + m32 and w = -z for an eye-space z; the window depth
    // maps clip z / w from [-1, 1] onto [0, 1].
    return {projection[3][2], projection[2][2]};
}

float eyeDistance(float windowDepth, DepthToDistance rule) {
    return rule.scale / (2.0f * windowDepth - 1.0f + rule.offset);
}

float softFade(float sceneDistance, float spriteDistance, float softness) {
    const float gap = sceneDistance - spriteDistance;
    if (softness <= 0.0f) return gap > 0.0f ? 1.0f : 0.0f;
    const float t = std::clamp(gap / softness, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace particles
