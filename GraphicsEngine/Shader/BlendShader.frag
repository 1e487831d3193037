#version 330 core
// The glow's last step: the blurred glow added onto the scene, then exposure,
// the spill that turns overexposed cores white, and the tone curve (the
// identity up to the knee, an exponential roll-off towards white above). The
// scene has this target's size, so each pixel reads its own texel unfiltered.
in vec2 texCoord;
uniform sampler2D colorTexture;  // the floating-point scene
uniform sampler2D glowTexture;   // every blur level, folded into the first
uniform float glowStrength;
uniform float exposure;
uniform float knee;
uniform float whiteSpill;
layout(location = 0) out vec4 fragColor;

vec3 toneCurve(vec3 x) {
    float room = 1.0 - knee;
    return min(x, vec3(knee)) + room * (1.0 - exp(-max(x - knee, 0.0) / room));
}

void main() {
    vec3 colour = texelFetch(colorTexture, ivec2(gl_FragCoord.xy), 0).rgb +
                  glowStrength * texture(glowTexture, texCoord).rgb;
    colour *= exposure;
    float peak = max(colour.r, max(colour.g, colour.b));
    colour += vec3(max(peak - 1.0, 0.0) * whiteSpill);
    fragColor = vec4(toneCurve(colour), 1.0);
}
