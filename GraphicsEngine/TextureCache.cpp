#include "GraphicsEngine/TextureCache.h"

namespace {

// The minification filter that goes with nearest magnification.
GLint nearestCounterpart(GLint filter) {
    switch (filter) {
        case GL_LINEAR:
            return GL_NEAREST;
        case GL_LINEAR_MIPMAP_NEAREST:
            return GL_NEAREST_MIPMAP_NEAREST;
        case GL_LINEAR_MIPMAP_LINEAR:
            return GL_NEAREST_MIPMAP_LINEAR;
        default:
            return filter;
    }
}

}  // namespace

void TextureCache::applySampling() {
    for (const auto& entry : textures) {
        glBindTexture(GL_TEXTURE_2D, entry.second);
        if (magFilter == GL_NEAREST) minFilter = nearestCounterpart(minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}
