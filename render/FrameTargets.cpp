#include "render/FrameTargets.h"

bool FrameTargets::make(const frame::Plan& plan, frame::Target& refused) {
    for (int i = 0; i < frame::kTargets; ++i) {
        const auto target = static_cast<frame::Target>(i);
        if (!plan.makes(target)) continue;
        if (!targets_[static_cast<size_t>(i)].make(plan.target(target), frame::nameOf(target))) {
            refused = target;
            return false;
        }
    }
    return true;
}

GLuint FrameTargets::framebuffer(frame::Target target, GLuint display) const {
    if (target == frame::Target::Display) return display;
    return targets_[static_cast<size_t>(target)].framebuffer();
}

void FrameTargets::release() {
    for (graph::RenderTarget& target : targets_) target.release();
}
