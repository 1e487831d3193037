#version 330 core
// Bright pass: keeps what lies above the threshold, smoothly.
in vec2 texCoord;
uniform sampler2D colorTexture;
uniform float threshold = 0.8;
out vec4 fragColor;
void main() {
    vec3 colour = texture(colorTexture, texCoord).rgb;
    float brightness = max(colour.r, max(colour.g, colour.b));
    float keep = smoothstep(threshold, threshold + 0.1, brightness);
    fragColor = vec4(colour * keep, 1.0);
}
