#version 330 core
// The burning effigy: dark charred wood whose cracks glow, with embers that
// pulse block by block and crawl along the grain as the heat drifts over it.
in vec3 worldPos;
in vec3 modelPos;
in vec2 texCoord;

uniform sampler2D colorTexture;  // charred wood
uniform sampler2D fireTexture;   // heat of the same cracks and blocks
uniform sampler2D noiseTexture;  // repeating noise
uniform float timePassed;        // seconds since start

uniform vec4 fogColor;
uniform float fogStart;
uniform float fogEnd;
uniform float fogDensity;
uniform int fogEquation;
uniform vec3 view;

layout(location = 0) out vec4 fragColor;

// The same highlight shoulder as the lit surfaces: hot spots stay orange.
vec3 shoulder(vec3 colour) {
    float luminance = dot(colour, vec3(0.299, 0.587, 0.114));
    if (luminance <= 0.6) return colour;
    float compressed = 0.6 + 0.4 * (1.0 - exp(-(luminance - 0.6) / 0.4));
    return colour * (compressed / luminance);
}

// As on the lit surfaces: both sides of a branch run, so one exp serves both
// exponential fogs.
float fogFactor(float distance) {
    float x = fogDensity * distance;
    float exponential = exp(-(fogEquation == 2 ? x * x : x));
    float linear = (fogEnd - distance) / max(fogEnd - fogStart, 1e-4);
    return clamp(fogEquation == 0 ? linear : exponential, 0.0, 1.0);
}

// Glow of burning wood by its heat: dull red, through orange, to yellow.
vec3 emberColour(float heat) {
    return vec3(1.6 * heat, 0.75 * heat * heat, 0.25 * heat * heat * heat);
}

void main() {
    // Charred timber: blocks of char split by cracks (the colour texture); the
    // fire layer marks the same cracks (r), the hot block rims beside them and
    // a few ember spots (g), and gives each block its own phase (b).
    vec3 wood = texture(colorTexture, texCoord).rgb;
    vec3 layer = texture(fireTexture, texCoord).rgb;

    // Heat drifts slowly up the figure: coarse noise in model space, so each
    // part of it flares and dims in turn.
    vec2 around = vec2(modelPos.x + 0.7 * modelPos.z, modelPos.y);
    float drift = texture(noiseTexture, around * 0.11 + vec2(0.0, -0.05 * timePassed)).r;
    float hot = smoothstep(0.3, 0.75, drift);
    // Embers crawl along the grain: finer noise streaming up each beam.
    vec2 streaming = texCoord * vec2(1.3, 0.6) + vec2(0.03, -0.12) * timePassed;
    float crawl = texture(noiseTexture, streaming).g;
    // Each block breathes at its own pace.
    float pulse = 0.7 + 0.3 * sin(timePassed * (1.5 + 2.0 * layer.b) + 6.2832 * layer.b);

    float crackHeat = layer.r * (0.1 + 0.9 * hot) * (0.5 + 0.9 * crawl) * pulse;
    float rimHeat = layer.g * hot * smoothstep(0.35, 0.75, crawl) * pulse;
    float heat = 1.2 * crackHeat + 0.5 * rimHeat;

    // The char itself is lit warm by the flames around it, more where it burns.
    vec3 charred = wood * vec3(1.2, 0.95, 0.8) * (0.65 + 0.7 * hot);
    vec3 colour = shoulder(charred + emberColour(heat));

    float fog = fogFactor(length(view - worldPos));
    fragColor = vec4(mix(fogColor.rgb, colour, fog), 1.0);
}
