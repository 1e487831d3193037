#include "app/run/KeyScript.h"

#include <GLFW/glfw3.h>

namespace {

const int kCycle[] = {GLFW_KEY_F1, GLFW_KEY_F2, GLFW_KEY_F3,  GLFW_KEY_F4,    GLFW_KEY_F5,
                      GLFW_KEY_F6, GLFW_KEY_F7, GLFW_KEY_F8,  GLFW_KEY_F9,    GLFW_KEY_F10,
                      GLFW_KEY_W,  GLFW_KEY_A,  GLFW_KEY_S,   GLFW_KEY_D,     GLFW_KEY_SPACE,
                      GLFW_KEY_G,  GLFW_KEY_C,  GLFW_KEY_TAB};
constexpr long kCycleLength = sizeof kCycle / sizeof kCycle[0];
constexpr long kHeldFrames = 2;

}  // namespace

bool KeyScript::holds(int key, long frame) const {
    if (period_ <= 0 || frame < period_) return false;
    const long slot = frame / period_;
    if (frame - slot * period_ >= kHeldFrames) return false;
    return kCycle[(slot - 1) % kCycleLength] == key;
}
