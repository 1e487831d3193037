#version 330 core
// The scene's depth at half its size, for the particles drawn there: each
// pixel keeps the farthest of the 2 x 2 depths it covers, so a particle behind
// a thin edge still shows in the pixel the edge only partly fills; the
// composite's choice by depth then keeps it off the edge itself.
uniform sampler2D sceneDepth;
uniform ivec2 sceneSize;

void main() {
    ivec2 corner = 2 * ivec2(gl_FragCoord.xy);
    ivec2 last = sceneSize - 1;
    float farthest = texelFetch(sceneDepth, min(corner, last), 0).r;
    farthest = max(farthest, texelFetch(sceneDepth, min(corner + ivec2(1, 0), last), 0).r);
    farthest = max(farthest, texelFetch(sceneDepth, min(corner + ivec2(0, 1), last), 0).r);
    farthest = max(farthest, texelFetch(sceneDepth, min(corner + ivec2(1, 1), last), 0).r);
    gl_FragDepth = farthest;
}
