#pragma once
// Which objects a frame updates and draws, kept free of GL.
#include "game/Camera.h"

namespace game {
class SceneObject;
}

namespace frame {

// Objects in state 4 are passed over entirely: not updated, not in the shadow
// cube, not drawn.
bool isActive(const game::SceneObject& object);

// The per-object draw decision: never in state 4; kinds 6 and 7 always; with
// culling off always; otherwise the bounding sphere (half the box diagonal
// plus one, centred on the object's position) against the near, far, right
// and left planes.
bool shouldDraw(const game::SceneObject& object, bool cullingEnabled, const Plane* frustumPlanes);

}  // namespace frame
