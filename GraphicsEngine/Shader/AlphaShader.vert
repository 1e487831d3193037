#version 330 core
// Sprites: a unit quad centred on the origin; the texture spans it.
in vec3 position;
uniform mat4 currentMatrix;
out vec2 texCoord;
void main() {
    texCoord = position.xy + 0.5;
    gl_Position = currentMatrix * vec4(position, 1.0);
}
