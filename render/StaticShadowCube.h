#pragma once
// The fire light's static casters, drawn once into a depth cube of their own,
// and the copy that starts each frame's cube from it (render/ShadowCubeRules.h
// decides when it is drawn again).
#include <GL/glew.h>

#include <functional>
#include <optional>
#include <vector>

#include "render/ShadowCubeRules.h"

class RenderBackend;

class StaticShadowCube {
public:
    GLuint texture = 0, framebuffer = 0;
    // Where the omni pass draws: the frame's cube, or this one while it is
    // filled; and into which face, -1 all six (a layered framebuffer).
    GLuint drawTarget = 0;
    int drawFace = -1;
    // Copied whole by the back end's image copy (where the context has it:
    // start-up sets this from its capabilities); otherwise a depth blit per face.
    bool copiesImages = false;
    std::optional<shadowcube::Contents> filled;  // what the cube holds; none before the first fill
    std::vector<const void*> seenMoving;         // casters found moved since they were drawn here
    long fills = 0;

    // A cube like the frame's (`frameTexture`, `size` texels a side, drawn
    // through `frameFramebuffer`), stored as `backend` stores the frame's;
    // leaves `display` bound.
    void create(const RenderBackend& backend, GLuint frameTexture, GLuint frameFramebuffer,
                int size, GLuint display);
    // `casters` drawn into this cube (`own`) or the frame's, as `backend`
    // draws a cube (once, or once per face), each face cleared with `clear`
    // first (0: kept); the omni pass finds the target and face in drawTarget
    // and drawFace, which then point at the frame's cube again.
    void draw(const RenderBackend& backend, bool own, GLbitfield clear,
              const std::function<void()>& casters);
    // The frame's cube becomes a copy of this one. Leaves the frame's cube bound.
    void copyToFrameCube(const RenderBackend& backend);
    bool wasSeenMoving(const void* object) const;
    // Its GL objects deleted and what it held forgotten: as before create.
    void release();

private:
    GLuint frameTexture_ = 0, frameFramebuffer_ = 0;
    int size_ = 0;
    // The blit path: each face of both cubes as a framebuffer of its own.
    GLuint staticFaces_[6] = {}, frameFaces_[6] = {};
};
