#version 330 core
// The glow's last step: the three blurred levels added onto the scene, then
// exposure, the spill that turns overexposed cores white, and the tone curve
// (the identity up to the knee, an exponential roll-off towards white above).
in vec2 texCoord;
uniform sampler2D colorTexture;  // the floating-point scene
uniform sampler2D glowTexture0;
uniform sampler2D glowTexture1;
uniform sampler2D glowTexture2;
uniform vec3 glowWeights;
uniform float exposure;
uniform float knee;
uniform float whiteSpill;
out vec4 fragColor;

vec3 toneCurve(vec3 x) {
    float room = 1.0 - knee;
    return min(x, vec3(knee)) + room * (1.0 - exp(-max(x - knee, 0.0) / room));
}

void main() {
    vec3 colour = texture(colorTexture, texCoord).rgb +
                  glowWeights.x * texture(glowTexture0, texCoord).rgb +
                  glowWeights.y * texture(glowTexture1, texCoord).rgb +
                  glowWeights.z * texture(glowTexture2, texCoord).rgb;
    colour *= exposure;
    float peak = max(colour.r, max(colour.g, colour.b));
    colour += vec3(max(peak - 1.0, 0.0) * whiteSpill);
    fragColor = vec4(toneCurve(colour), 1.0);
}
