#version 330 core
// Placeholder: to world space; the geometry stage projects into the cube faces.
in vec3 position;
uniform mat4 M;
void main() {
    gl_Position = M * vec4(position, 1.0);
}
