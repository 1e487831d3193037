#pragma once
// The fire light's static casters, drawn once into a depth cube of their own,
// and the copy that starts each frame's cube from it (render/ShadowCubeRules.h
// decides when it is drawn again).
#include <GL/glew.h>

#include <optional>
#include <vector>

#include "render/ShadowCubeRules.h"

class StaticShadowCube {
public:
    GLuint texture = 0, framebuffer = 0;
    // Where the omni pass draws: the frame's cube, or this one while it is filled.
    GLuint drawTarget = 0;
    // glCopyImageSubData (GL 4.3 or GL_ARB_copy_image); otherwise a depth blit per face.
    bool copiesImages = false;
    std::optional<shadowcube::Contents> filled;  // what the cube holds; none before the first fill
    std::vector<const void*> seenMoving;         // casters found moved since they were drawn here
    long fills = 0;

    // A cube like the frame's (`frameTexture`, `size` texels a side, drawn
    // through `frameFramebuffer`); leaves `display` bound.
    void create(GLuint frameTexture, GLuint frameFramebuffer, int size, GLuint display);
    // The frame's cube becomes a copy of this one. Leaves the frame's cube bound.
    void copyToFrameCube();
    bool wasSeenMoving(const void* object) const;

private:
    GLuint frameTexture_ = 0, frameFramebuffer_ = 0;
    int size_ = 0;
    // The blit path: each face of both cubes as a framebuffer of its own.
    GLuint staticFaces_[6] = {}, frameFaces_[6] = {};
};
