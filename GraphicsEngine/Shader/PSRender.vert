#version 330 core
// Particle drawing, vertex stage: hands the record to the geometry stage,
// which builds the sprite.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 velocity;
layout(location = 2) in vec3 color;
layout(location = 3) in float lifetime;
layout(location = 4) in float timeleft;
layout(location = 5) in float size;
layout(location = 6) in float type;  // an int in the buffer, read as a float

out vec3 vColor;
out float vLifetime;
out float vTimeleft;
out float vSize;
flat out int vType;

void main() {
    gl_Position = vec4(position, 1.0);
    vColor = color;
    vLifetime = lifetime;
    vTimeleft = timeleft;
    vSize = size;
    vType = int(round(type));
}
