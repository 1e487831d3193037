#version 300 es
// Particle drawing, fragment stage: the sprite tinted by the particle's colour
// and scaled by its strength (both worked out per particle by the vertex
// stage), faded where it nears the scene behind it, as PSRender.frag does.
precision highp float;
precision highp sampler2D;

#include "PSSoft.glsl"

in vec2 texCoord;
in vec3 particleColor;
in float particleAlpha;

layout(location = 0) out vec4 fragColor;

uniform sampler2D spriteTexture;

void main() {
    vec4 texel = texture(spriteTexture, texCoord);
    // Behind the scene: where the pass runs no depth test, this is its test.
    float fade = softFade();
    if (fade <= 0.0) discard;
    fragColor = vec4(texel.rgb * particleColor, texel.a * particleAlpha * fade);
}
