#pragma once
#include <GL/glew.h>

#include <map>
#include <string>

namespace textures {
// Exchanges the first and third byte of each texel in `height` rows of
// `width` texels, `pitch` bytes apart (the rows' padding untouched).
void swapRedAndBlue(unsigned char* rows, unsigned width, unsigned height, unsigned pitch,
                    unsigned bytesPerTexel);
}  // namespace textures

// The engine's map from texture file name to GL texture, shared by every
// loader, with the filters the render toggles choose.
class TextureCache {
public:
    std::map<std::string, GLuint> textures;
    // Start values: what nearest sampling with mip-mapping mode 1 stands for.
    GLint minFilter = GL_NEAREST_MIPMAP_NEAREST;
    GLint magFilter = GL_NEAREST;

    GLuint loadTexture(const std::string& name);
    GLuint loadAlphaTexture(const std::string& name);
    GLuint loadRepeatingTexture(const std::string& name);
    // Grey levels in 0..1, width * height floats, bottom image row first; null on failure.
    // The caller owns the array (delete[]).
    float* loadHeightmap(const std::string& name, int width, int height);
    void applySampling();
    // Every texture deleted and forgotten; the filters stay for the next loads.
    void release();
};
