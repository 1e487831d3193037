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

}  // namespace particles
