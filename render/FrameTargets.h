#pragma once
// The targets a frame plan names, made as it describes them and kept between
// frames (a target not planned this frame stays for the next that plans it).
#include <GL/glew.h>

#include <array>

#include "GraphicsEngine/RenderTarget.h"
#include "render/FramePlan.h"

class FrameTargets {
public:
    // Makes every target `plan` names (again where its description changed):
    // true where GL accepts them all, else false with the first it refused
    // in `refused`.
    bool make(const frame::Plan& plan, frame::Target& refused);
    graph::RenderTarget& operator[](frame::Target target) {
        return targets_[static_cast<size_t>(target)];
    }
    // The framebuffer `target` stands for; the display's is the surface's.
    GLuint framebuffer(frame::Target target, GLuint display) const;
    void release();

private:
    std::array<graph::RenderTarget, frame::kTargets> targets_;
};
