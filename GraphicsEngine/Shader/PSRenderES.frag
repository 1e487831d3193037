#version 300 es
// Particle drawing, fragment stage: the sprite tinted by the particle's colour
// and scaled by its strength (both worked out per particle by the vertex
// stage), as PSRender.frag does.
precision highp float;

in vec2 texCoord;
in vec3 particleColor;
in float particleAlpha;

layout(location = 0) out vec4 fragColor;

uniform sampler2D spriteTexture;

void main() {
    vec4 texel = texture(spriteTexture, texCoord);
    fragColor = vec4(texel.rgb * particleColor, texel.a * particleAlpha);
}
