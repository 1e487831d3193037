#version 330 core
// Debug view of the shadow cube: a box whose surface shows the cube map.
in vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 viewMatrix;
uniform mat4 modelMatrix;
out vec3 direction;
void main() {
    direction = position;  // centred unit cube: the position is the lookup direction
    gl_Position = projectionMatrix * viewMatrix * modelMatrix * vec4(position, 1.0);
}
