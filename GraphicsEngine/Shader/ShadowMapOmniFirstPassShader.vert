#version 330 core
// Shadow cube, first stage: the vertex in world space.
in vec3 position;
uniform mat4 M;  // model matrix
void main() {
    gl_Position = M * vec4(position, 1.0);
}
