#version 330 core
// One direction of a separable Gaussian blur (the 9-tap kernel 1 8 28 56 70
// 56 28 8 1 / 256 folded into five bilinear taps); "direction" is one texel
// of the target along x or y. A source twice the target's size is read
// through the same taps, so the pass halves it as it blurs (that source is
// blurred already, so nothing flickers).
in vec2 texCoord;
uniform sampler2D colorTexture;
uniform vec2 direction;
layout(location = 0) out vec4 fragColor;
const float CENTRE = 0.2734375;
const float OFFSETS[2] = float[](1.3333333, 3.1111111);
const float WEIGHTS[2] = float[](0.3281250, 0.0351563);
void main() {
    vec3 sum = texture(colorTexture, texCoord).rgb * CENTRE;
    for (int i = 0; i < 2; ++i) {
        sum += texture(colorTexture, texCoord + direction * OFFSETS[i]).rgb * WEIGHTS[i];
        sum += texture(colorTexture, texCoord - direction * OFFSETS[i]).rgb * WEIGHTS[i];
    }
    fragColor = vec4(sum, 1.0);
}
