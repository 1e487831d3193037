#version 330 core
// Depth only; the colour output exists for the shared fragment binding.
out vec4 fragColor;
void main() {
    fragColor = vec4(gl_FragCoord.z);
}
