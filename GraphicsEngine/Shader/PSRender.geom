#version 330 core
// Particle drawing, geometry stage: one camera-facing quad per live particle
// (the generator record is skipped), with the sprite-sheet cell of its age,
// its colour and its strength (PSSprite.glsl). Everything that depends on the
// age alone is worked out here, once per particle, not once per pixel.

#include "PSSprite.glsl"

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

in vec3 vColor[];
in float vLifetime[];
in float vTimeleft[];
in float vSize[];
flat in int vType[];

out vec2 texCoord;
out vec3 particleColor;
out float particleAlpha;

void main() {
    if (vType[0] == 0 || vTimeleft[0] <= 0.0) return;

    Sprite sprite = spriteOf(vColor[0], vLifetime[0], vTimeleft[0]);
    mat4 viewProjection = matrices.projMat * matrices.viewMat;
    // Corners in strip order: bottom-left, bottom-right, top-left, top-right.
    vec2 corners[4] = vec2[](vec2(0.0, 0.0), vec2(1.0, 0.0), vec2(0.0, 1.0), vec2(1.0, 1.0));
    for (int i = 0; i < 4; ++i) {
        vec2 corner = corners[i];
        vec3 world = spriteCorner(gl_in[0].gl_Position.xyz, vSize[0], corner);
        gl_Position = viewProjection * vec4(world, 1.0);
        texCoord = spriteTexCoord(sprite, corner);
        particleColor = sprite.colour;
        particleAlpha = sprite.alpha;
        EmitVertex();
    }
    EndPrimitive();
}
