#version 330 core
// Sun sprite: texture times the sun colour, fading to the rim.
in vec2 texCoord;
uniform sampler2D colorTexture;
uniform vec3 sunLightCol;
layout(location = 0) out vec4 fragColor;
void main() {
    float rim = 1.0 - smoothstep(0.3, 0.5, length(texCoord - 0.5));
    vec4 texel = texture(colorTexture, texCoord);
    fragColor = vec4(texel.rgb * sunLightCol, texel.a * rim);
}
