#version 330 core
// The burning effigy: charred wood whose cracks glow like embers, with the
// fire layer crawling upward over it, distorted by scrolling noise.
in vec3 worldPos;
in vec3 modelPos;
in vec3 worldNormal;
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
    vec3 wood = texture(colorTexture, texCoord).rgb;
    float grain = dot(wood, vec3(0.299, 0.587, 0.114));
    vec3 charred = mix(vec3(grain), wood, 0.4) * 0.3;

    // Coordinates around the figure: height up, the other two wrapped round.
    vec2 around = vec2(modelPos.x + modelPos.z, modelPos.y);

    // Cracks: thin ridges where slow noise crosses its middle value.
    float slow = texture(noiseTexture, around * 0.11 + vec2(0.0, -0.02 * timePassed)).r;
    float crack = 1.0 - smoothstep(0.015, 0.07, abs(slow - 0.5));
    float pulse = 0.65 + 0.35 * sin(timePassed * 2.7 + slow * 12.0);
    vec3 ember = vec3(1.0, 0.32, 0.05) * crack * pulse * 2.2;

    // Flames: the fire layer scrolls upward, bent sideways by fast noise.
    vec2 flow = texture(noiseTexture, around * 0.07 + vec2(0.0, -0.35 * timePassed)).rg - 0.5;
    vec2 fireUv = vec2(around.x * 0.12 + 0.35 * flow.x, around.y * 0.09 - 0.45 * timePassed);
    vec3 flame = texture(fireTexture, fireUv + vec2(0.0, 0.25 * flow.y)).rgb;
    float flicker = texture(noiseTexture, around * 0.05 + vec2(0.3 * timePassed, -0.6 * timePassed)).r;
    float heat = smoothstep(0.25, 0.85, flicker + 0.25 * crack);
    vec3 fire = flame * vec3(1.35, 0.75, 0.35) * (0.55 + 1.1 * heat);

    // Faces turned from the eye are rimmed less; faces towards it glow fully.
    float facing = abs(dot(normalize(worldNormal), normalize(view - worldPos)));
    vec3 colour = shoulder(charred * (0.6 + 0.4 * facing) + ember + fire);

    float fog = fogFactor(length(view - worldPos));
    fragColor = vec4(mix(fogColor.rgb, colour, fog), 1.0);
}
