#include "render/FrameRules.h"

#include "game/Camera.h"
#include "game/SceneObject.h"

namespace frame {

bool isActive(const game::SceneObject& object) { return object.state != game::kPassedOver; }

bool shouldDraw(const game::SceneObject& object, bool cullingEnabled, const Plane* frustumPlanes) {
    if (!isActive(object)) return false;
    if (object.kind == 6 || object.kind == 7) return true;
    if (!cullingEnabled) return true;
    const float radius =
        camera::cullingRadius(object.boundingBox.minCorner, object.boundingBox.maxCorner);
    return camera::sphereVisible(frustumPlanes, object.position, radius);
}

}  // namespace frame
