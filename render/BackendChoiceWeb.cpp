#include <emscripten/emscripten.h>

#include "render/EsBackend.h"

namespace {

// The browser's renderer behind WebGL's masked name, where it gives it.
EM_JS(void, pageRendererName, (char* name, int size), {
    var gl = GL.currentContext ? GL.currentContext.GLctx : null;
    var text = '';
    if (gl) {
        var info = gl.getExtension('WEBGL_debug_renderer_info');
        text = gl.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : gl.RENDERER) || '';
    }
    stringToUTF8(text, name, size);
});

}  // namespace

// WebGL 2 is OpenGL ES 3.0: the browser has the one back end.
std::unique_ptr<RenderBackend> RenderBackend::create(bool) {
    return std::make_unique<EsBackend>();
}

std::string rendererName() {
    char name[256] = {};
    pageRendererName(name, sizeof name);
    return name;
}
