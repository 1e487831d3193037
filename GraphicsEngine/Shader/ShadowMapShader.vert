#version 330 core
// Depth only: the mesh in the sun's box, or in the camera's view for the
// frame's depth pre-pass, whose depths the colour passes must meet exactly.
in vec3 position;
uniform mat4 depthMVP;
invariant gl_Position;

void main() {
    gl_Position = depthMVP * vec4(position, 1.0);
}
