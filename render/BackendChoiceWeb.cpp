#include "render/EsBackend.h"

// WebGL 2 is OpenGL ES 3.0: the browser has the one back end.
std::unique_ptr<RenderBackend> RenderBackend::create(bool) {
    return std::make_unique<EsBackend>();
}
