#version 330 core
// Sprites with alpha: the texture tinted, fully transparent texels dropped
// so that they leave no depth behind.
in vec2 texCoord;
uniform sampler2D colorTexture;
const vec4 tint = vec4(1.0);
layout(location = 0) out vec4 fragColor;
void main() {
    vec4 texel = texture(colorTexture, texCoord) * tint;
    if (texel.a < 0.01) discard;
    fragColor = texel;
}
