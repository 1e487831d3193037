#version 330 core
// Full-screen passes: a quad given in clip coordinates.
in vec3 position;
out vec2 texCoord;
void main() {
    texCoord = position.xy * 0.5 + 0.5;
    gl_Position = vec4(position.xy, 0.0, 1.0);
}
