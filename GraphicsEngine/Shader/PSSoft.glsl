// Soft particles, shared by both render programs' fragment stages: a sprite
// fades out as it nears what the scene drew behind it (particles::softFade),
// read from the scene's depth, which the pass does not draw into. With no
// softness the sprite is drawn whole, to the depth test's cut.

uniform sampler2D sceneDepth;
uniform float softness;        // world units; 0: hard
uniform vec2 depthScale;       // this target's pixels to the scene depth's
uniform vec2 depthToDistance;  // particles::DepthToDistance: scale, offset

float eyeDistance(float windowDepth) {
    return depthToDistance.x / (2.0 * windowDepth - 1.0 + depthToDistance.y);
}

float softFade() {
    if (softness <= 0.0) return 1.0;
    ivec2 last = textureSize(sceneDepth, 0) - 1;
    ivec2 texel = clamp(ivec2(gl_FragCoord.xy * depthScale), ivec2(0), last);
    float gap = eyeDistance(texelFetch(sceneDepth, texel, 0).r) - eyeDistance(gl_FragCoord.z);
    return smoothstep(0.0, softness, gap);
}
