#version 330 core
// Adds a (blurred) glow image onto the scene image.
in vec2 texCoord;
uniform sampler2D colorTexture;
uniform sampler2D glowTexture;
uniform float glowStrength = 1.0;
out vec4 fragColor;
void main() {
    vec3 scene = texture(colorTexture, texCoord).rgb;
    vec3 glow = texture(glowTexture, texCoord).rgb;
    fragColor = vec4(scene + glow * glowStrength, 1.0);
}
