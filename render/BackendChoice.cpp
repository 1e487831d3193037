#include "render/DesktopBackend.h"
#include "render/EsBackend.h"

std::unique_ptr<RenderBackend> RenderBackend::create(bool es) {
    if (es) return std::make_unique<EsBackend>();
    return std::make_unique<DesktopBackend>();
}

std::string rendererName() {
    const GLubyte* name = glGetString(GL_RENDERER);
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}
