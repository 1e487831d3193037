#include "app/surface/BrowserSurface.h"

// A page always draws into its canvas (the command line refuses --headless
// in the browser before this).
std::unique_ptr<Surface> openSurface(const SurfaceRequest& request, bool, std::string& error) {
    return BrowserSurface::open(request, error);
}
