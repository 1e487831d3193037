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
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);  // FreeImage rows are 4-byte aligned
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, FreeImage_GetBits(image));
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    const bool saved = FreeImage_Save(FIF_PNG, image, fileName.c_str(), PNG_DEFAULT) != 0;
    FreeImage_Unload(image);
    if (!saved) std::printf("Screenshot: cannot write '%s'\n", fileName.c_str());
    return saved;
}
