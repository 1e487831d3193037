#version 330 core
// Placeholder: the texture, unlit.
in vec2 vUv;
uniform sampler2D colorTexture;
out vec4 fragColor;
void main() {
    fragColor = texture(colorTexture, vUv);
}
