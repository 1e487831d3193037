#version 330 core
// One direction of a separable 9-tap Gaussian blur; "direction" is one texel
// step along x or y.
in vec2 texCoord;
uniform sampler2D colorTexture;
uniform vec2 direction;
out vec4 fragColor;
const float WEIGHTS[5] = float[](0.2270270, 0.1945946, 0.1216216, 0.0540541, 0.0162162);
void main() {
    vec3 sum = texture(colorTexture, texCoord).rgb * WEIGHTS[0];
    for (int i = 1; i < 5; ++i) {
        sum += texture(colorTexture, texCoord + direction * float(i)).rgb * WEIGHTS[i];
        sum += texture(colorTexture, texCoord - direction * float(i)).rgb * WEIGHTS[i];
    }
    fragColor = vec4(sum, 1.0);
}
