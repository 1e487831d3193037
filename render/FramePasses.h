#pragma once
// The frame's passes, one function each (render/FramePasses.cpp), run in the
// plan's order by Game::renderFrame: each binds the target its step draws
// into, sets the whole GL state it draws with (RenderBackend::setState) and
// draws, from the frame's one view.
#include "render/FramePlan.h"

class Game;

namespace frame {

struct Work {
    Game& game;
    const Plan& plan;
    double elapsed;  // the frame's real time: the box spins by it
};

void run(Work& work, const Step& step);

}  // namespace frame
