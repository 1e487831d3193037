#version 330 core
// Particle drawing, fragment stage: the sprite tinted by the particle's
// colour, faded in over the first part of the life and out towards its end.

in vec2 texCoord;
in vec3 particleColor;
in float lifeFraction;

out vec4 fragColor;

uniform sampler2D texture;
uniform int alphaType;
uniform float alpha;
uniform float blendDelay;

void main() {
    // The sampler's name hides the texture() built-in; a projective lookup with
    // q = 1 is the same implicit-gradient sample under another name (explicit
    // gradients cost more on a software renderer).
    vec4 texel = textureProj(texture, vec3(texCoord, 1.0));

    float fadeIn = blendDelay > 0.0 ? smoothstep(0.0, blendDelay, lifeFraction) : 1.0;
    // Alpha-blended smoke thins out over its whole life; additive glow keeps
    // its strength and dies away over the last third.
    float fadeOut = alphaType == 1 ? 1.0 - lifeFraction
                                   : 1.0 - smoothstep(2.0 / 3.0, 1.0, lifeFraction);

    fragColor = vec4(texel.rgb * particleColor, texel.a * alpha * fadeIn * fadeOut);
}
