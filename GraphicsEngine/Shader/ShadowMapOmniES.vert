#version 300 es
// Shadow cube without a geometry stage (OpenGL ES): one face per draw, the
// vertex taken straight to that face's clip space.
in vec3 position;
uniform mat4 M;         // model matrix
uniform mat4 faceMatrix; // the light's view and projection for this face
void main() {
    gl_Position = faceMatrix * (M * vec4(position, 1.0));
}
