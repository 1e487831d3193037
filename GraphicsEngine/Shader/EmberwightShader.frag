#version 330 core
// The burning effigy: charred wood whose cracks glow like embers, with the
// fire layer crawling upward over it, distorted by scrolling noise.
in vec3 worldPos;
in vec3 modelPos;
in vec2 texCoord;

uniform sampler2D colorTexture;  // burnt wood
uniform sampler2D fireTexture;   // flame pattern, bright where it burns
uniform sampler2D noiseTexture;  // repeating noise
uniform float timePassed;        // seconds since start

uniform vec4 fogColor;
uniform float fogStart;
uniform float fogEnd;
uniform float fogDensity;
uniform int fogEquation;
uniform vec3 view;

out vec4 fragColor;

// The same highlight shoulder as the lit surfaces: hot spots stay orange.
vec3 shoulder(vec3 colour) {
    float luminance = dot(colour, vec3(0.299, 0.587, 0.114));
    if (luminance <= 0.6) return colour;
    float compressed = 0.6 + 0.4 * (1.0 - exp(-(luminance - 0.6) / 0.4));
    return colour * (compressed / luminance);
}

float fogFactor(float distance) {
    if (fogEquation == 1) return clamp(exp(-fogDensity * distance), 0.0, 1.0);
    if (fogEquation == 2) return clamp(exp(-pow(fogDensity * distance, 2.0)), 0.0, 1.0);
    return clamp((fogEnd - distance) / max(fogEnd - fogStart, 1e-4), 0.0, 1.0);
}

void main() {
    // Charred timber: the burnt-wood texture, darker still, grain kept.
    vec3 wood = texture(colorTexture, texCoord).rgb;
    vec3 charred = wood * 0.45;

    // Cracks follow each beam (its texture coordinates): thin ridges where
    // the medium noise crosses its middle, breathing slowly.
    vec4 grain = texture(noiseTexture, texCoord * vec2(0.45, 0.3));
    float crack = 1.0 - smoothstep(0.02, 0.07, abs(grain.g - 0.5));
    float breath = 0.6 + 0.4 * sin(timePassed * 2.3 + grain.r * 18.0);
    vec3 ember = vec3(1.0, 0.28, 0.04) * crack * breath * 1.6;

    // Burning patches creep up the figure: two scales of noise scrolled
    // upward in model space decide where the wood is aflame at this moment,
    // so that about half of it burns at any time.
    vec2 around = vec2(modelPos.x + 0.7 * modelPos.z, modelPos.y);
    float patch = 0.6 * texture(noiseTexture, around * 0.12 + vec2(0.0, -0.12 * timePassed)).r +
                  0.4 * texture(noiseTexture, around * 0.31 + vec2(0.5, -0.3 * timePassed)).g;
    float burning = smoothstep(0.38, 0.6, patch);

    // Inside them the flame layer rises fast, bent sideways by noise.
    vec2 flow = texture(noiseTexture, around * 0.09 + vec2(0.0, -0.5 * timePassed)).rg - 0.5;
    vec2 fireUv = vec2(texCoord.x * 0.6 + 0.3 * flow.x, modelPos.y * 0.16 - 0.55 * timePassed);
    vec3 flame = texture(fireTexture, fireUv + vec2(0.0, 0.15 * flow.y)).rgb;
    // Only the tongues of the layer count; its dim embers stay wood.
    float tongue = smoothstep(0.25, 0.8, dot(flame, vec3(0.5, 0.4, 0.1)));
    vec3 fire = flame * vec3(1.7, 1.0, 0.5) * tongue * burning;

    // Wood under the flames glows; cracks show through where they are thin.
    vec3 colour = charred * (1.0 - 0.5 * burning) + vec3(0.3, 0.05, 0.0) * burning +
                  ember * (1.0 - 0.5 * burning) + fire;
    colour = shoulder(colour);

    float fog = fogFactor(length(view - worldPos));
    fragColor = vec4(mix(fogColor.rgb, colour, fog), 1.0);
}
