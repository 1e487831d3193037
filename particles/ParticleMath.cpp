#include "particles/ParticleMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace particles {

EmissionStep advanceEmission(float elapsedTime, float timePassed, float generationInterval) {
    EmissionStep step{elapsedTime + timePassed, false};
    if (step.elapsedTime > generationInterval) {
        step.elapsedTime -= generationInterval;
        step.emit = true;
    }
    return step;
}

namespace {
std::uint32_t randomState = 1;
}

int drawRandom() {
    randomState = randomState * 1103515245u + 12345u;
    return static_cast<int>((randomState >> 16) & 0x7fffu);
}

void seedRandom(unsigned seed) { randomState = seed; }

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

}  // namespace particles
