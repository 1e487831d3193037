#include "app/surface/HeadlessSurface.h"

// Windows has no EGL: offscreen contexts there would come from a hidden
// window. The entry refuses --headless first (platform::headlessAvailable);
// this only keeps start-up's choice of surface the same on both systems.
std::unique_ptr<HeadlessSurface> HeadlessSurface::open(const SurfaceRequest&, std::string& error) {
    error = " --headless needs EGL, which this system does not have";
    return nullptr;
}
