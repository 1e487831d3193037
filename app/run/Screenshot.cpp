#include "app/run/Screenshot.h"

#include <FreeImage.h>
#include <GL/glew.h>

#include <cstdio>
#include <vector>

bool writeScreenshot(const std::string& fileName, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    // FreeImage rows run bottom-up like GL's, so no flip is needed.
    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    if (image == nullptr) {
        std::printf("Screenshot: cannot allocate %d x %d\n", width, height);
        return false;
    }
    // Read as RGBA, the one layout OpenGL ES promises for every framebuffer,
    // then laid out as FreeImage's blue-first 24-bit rows.
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    for (int y = 0; y < height; ++y) {
        const unsigned char* from = rgba.data() + static_cast<size_t>(y) * width * 4;
        BYTE* to = FreeImage_GetScanLine(image, y);
        for (int x = 0; x < width; ++x, from += 4, to += 3) {
            to[FI_RGBA_RED] = from[0];
            to[FI_RGBA_GREEN] = from[1];
            to[FI_RGBA_BLUE] = from[2];
        }
    }
    const bool saved = FreeImage_Save(FIF_PNG, image, fileName.c_str(), PNG_DEFAULT) != 0;
    FreeImage_Unload(image);
    if (!saved) std::printf("Screenshot: cannot write '%s'\n", fileName.c_str());
    return saved;
}
