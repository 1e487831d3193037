#version 300 es
// Particle update, fragment stage: never runs (the rasterizer discards every
// point); OpenGL ES links no program without one.
precision mediump float;

layout(location = 0) out vec4 fragColor;

void main() { fragColor = vec4(0.0); }
