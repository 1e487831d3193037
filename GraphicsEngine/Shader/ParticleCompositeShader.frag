#version 330 core
// The particles drawn at half size, laid over the scene (premultiplied: the
// blend adds their colour and keeps 1 - alpha of the scene). Where the four
// half-size pixels around this one agree in depth, they are filtered
// bilinearly; at an edge (their depths apart by more than edgeDepth) the one
// whose depth is nearest this pixel's own is taken alone, so that fire behind
// a limb does not spill over it and the limb's outline keeps its full-size
// steps.
uniform sampler2D particles;
uniform sampler2D halfDepth;
uniform sampler2D sceneDepth;
uniform float edgeDepth;
layout(location = 0) out vec4 fragColor;

void main() {
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    ivec2 halfSize = textureSize(particles, 0);
    // The half-size pixel centres around this pixel's centre.
    vec2 at = (vec2(pixel) + 0.5) * 0.5 - 0.5;
    ivec2 base = ivec2(floor(at));
    float depth = texelFetch(sceneDepth, pixel, 0).r;
    float nearest = 2.0, lowest = 1.0, highest = 0.0;
    ivec2 chosen = base;
    for (int i = 0; i < 4; ++i) {
        ivec2 texel = clamp(base + ivec2(i & 1, i >> 1), ivec2(0), halfSize - 1);
        float d = texelFetch(halfDepth, texel, 0).r;
        lowest = min(lowest, d);
        highest = max(highest, d);
        if (abs(d - depth) < nearest) {
            nearest = abs(d - depth);
            chosen = texel;
        }
    }
    if (highest - lowest <= edgeDepth) {
        fragColor = texture(particles, (at + 0.5) / vec2(halfSize));
    } else {
        fragColor = texelFetch(particles, chosen, 0);
    }
}
