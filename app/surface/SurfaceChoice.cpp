#include "app/surface/HeadlessSurface.h"
#include "app/surface/WindowSurface.h"

std::unique_ptr<Surface> openSurface(const SurfaceRequest& request, bool headless,
                                     std::string& error) {
    if (headless) return HeadlessSurface::open(request, error);
    return WindowSurface::open(request, error);
}
