#version 330 core
// Particle update, vertex stage: hands one particle record, and which
// instance of it is drawn, to the geometry stage, which ages, moves, kills
// and emits.

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 velocity;
layout(location = 2) in vec3 color;
layout(location = 3) in float lifetime;
layout(location = 4) in float timeleft;
layout(location = 5) in float size;
layout(location = 6) in float type;  // an int in the buffer, read as a float

out vec3 vPosition;
out vec3 vVelocity;
out vec3 vColor;
out float vLifetime;
out float vTimeleft;
out float vSize;
flat out int vType;
flat out int vInstance;

void main() {
    vPosition = position;
    vVelocity = velocity;
    vColor = color;
    vLifetime = lifetime;
    vTimeleft = timeleft;
    vSize = size;
    vType = int(round(type));
    vInstance = gl_InstanceID;
}
