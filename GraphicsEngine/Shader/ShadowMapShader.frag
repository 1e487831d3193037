#version 330 core
// Depth only; the framebuffer has no colour buffer.
layout(location = 0) out vec4 fragColor;
void main() {
    fragColor = vec4(gl_FragCoord.z);
}
