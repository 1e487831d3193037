#version 330 core
// Particle drawing, fragment stage: the sprite tinted by the particle's colour
// and scaled by its strength (both worked out per particle by the geometry
// stage), faded where it nears the scene behind it (PSSoft.glsl).

#include "PSSoft.glsl"

in vec2 texCoord;
in vec3 particleColor;
in float particleAlpha;

layout(location = 0) out vec4 fragColor;

uniform sampler2D texture;

void main() {
    // The sampler's name hides the texture() built-in; a projective lookup with
    // q = 1 is the same implicit-gradient sample under another name (explicit
    // gradients cost more on a software renderer).
    vec4 texel = textureProj(texture, vec3(texCoord, 1.0));
    // Behind the scene: where the pass runs no depth test, this is its test.
    float fade = softFade();
    if (fade <= 0.0) discard;
    fragColor = vec4(texel.rgb * particleColor, texel.a * particleAlpha * fade);
}
