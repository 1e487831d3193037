#version 330 core
// Full-screen passes: one triangle given in clip coordinates, its corners at
// attribute 0 (the glow's vertex array is set up once for every program).
layout(location = 0) in vec2 position;
out vec2 texCoord;
void main() {
    texCoord = position * 0.5 + 0.5;
    gl_Position = vec4(position, 0.0, 1.0);
}
