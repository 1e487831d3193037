#version 330 core
// Sun shadow map: depth of the mesh in the sun's box.
in vec3 position;
uniform mat4 depthMVP;
void main() {
    gl_Position = depthMVP * vec4(position, 1.0);
}
