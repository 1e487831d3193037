#version 330 core
// Placeholder: the sprite, unanimated.
in vec2 vUv;
uniform sampler2D gSampler;
out vec4 fragColor;
void main() {
    fragColor = texture(gSampler, vUv);
}
