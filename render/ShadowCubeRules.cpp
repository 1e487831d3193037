#include "render/ShadowCubeRules.h"

namespace shadowcube {

bool isStatic(const game::ShadowCasting& casting, bool seenMoving) {
    return casting.casts && !casting.movesItself && !seenMoving;
}

Step nextStep(const Contents* filled, const Contents& now) {
    if (!now.castersOn) return Step::Clear;
    if (filled == nullptr || !(*filled == now)) return Step::Refill;
    return Step::Copy;
}

std::vector<const void*> movedSinceFill(const Contents& filled, const Contents& now) {
    std::vector<const void*> moved;
    for (const Placed& was : filled.statics) {
        for (const Placed& is : now.statics) {
            if (is.object == was.object && is.model != was.model) moved.push_back(is.object);
        }
    }
    return moved;
}

}  // namespace shadowcube
