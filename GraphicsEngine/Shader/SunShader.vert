#version 330 core
// Sun sprite: a unit quad that always faces the camera, placed far along the
// sun direction.
in vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 viewMatrix;
uniform vec3 sunLightDir;
// A constant, not a uniform: ES allows no initialised uniforms.
const float size = 20.0;
out vec2 texCoord;
void main() {
    texCoord = position.xy + 0.5;
    vec4 centre = viewMatrix * vec4(-normalize(sunLightDir) * 200.0, 0.0);
    vec4 eye = vec4(centre.xyz + position * size, 1.0);
    gl_Position = projectionMatrix * eye;
}
