#version 300 es
// Particle drawing for a pool of slots, vertex stage: one instance per slot,
// four vertices each (a triangle strip), so the camera-facing quad, its
// sprite-sheet cell, colour and strength are built here, from the look that
// PSRender.geom builds too (PSSprite.glsl). An empty or finished slot puts all
// four corners on one point outside the clip volume: nothing is drawn for it.
precision highp float;
precision highp int;

#include "PSSprite.glsl"

// Per instance: the slot's record.
layout(location = 0) in vec3 position;
layout(location = 2) in vec3 color;
layout(location = 3) in float lifetime;
layout(location = 4) in float timeleft;
layout(location = 5) in float size;
layout(location = 6) in float type;  // an int in the buffer, read as a float

out vec2 texCoord;
out vec3 particleColor;
out float particleAlpha;

void main() {
    if (int(round(type)) == 0 || timeleft <= 0.0) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        texCoord = vec2(0.0);
        particleColor = vec3(0.0);
        particleAlpha = 0.0;
        return;
    }

    Sprite sprite = spriteOf(color, lifetime, timeleft);
    // Strip order: bottom-left, bottom-right, top-left, top-right.
    vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));
    vec3 world = spriteCorner(position, size, corner);
    gl_Position = matrices.projMat * matrices.viewMat * vec4(world, 1.0);
    texCoord = spriteTexCoord(sprite, corner);
    particleColor = sprite.colour;
    particleAlpha = sprite.alpha;
}
