#version 330 core
// Bright pass of the glow, straight into a quarter-size target: four bilinear
// taps one source texel off the centre average the 4 x 4 block of the scene
// under this texel. Each keeps what its brightest channel holds above the
// threshold, in its own hue.
in vec2 texCoord;
uniform sampler2D colorTexture;  // the floating-point scene
uniform vec2 texelSize;          // one texel of the scene
uniform float threshold;
layout(location = 0) out vec4 fragColor;

vec3 bright(vec2 at) {
    vec3 colour = texture(colorTexture, at).rgb;
    float peak = max(colour.r, max(colour.g, colour.b));
    return colour * (max(peak - threshold, 0.0) / max(peak, 1e-4));
}

void main() {
    vec3 sum = bright(texCoord + vec2(-texelSize.x, -texelSize.y)) +
               bright(texCoord + vec2(texelSize.x, -texelSize.y)) +
               bright(texCoord + vec2(-texelSize.x, texelSize.y)) +
               bright(texCoord + vec2(texelSize.x, texelSize.y));
    fragColor = vec4(sum * 0.25, 1.0);
}
