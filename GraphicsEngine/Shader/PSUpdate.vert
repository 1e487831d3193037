#version 330 core
// Placeholder: passes the particle record through.
in vec3 position;
in vec3 velocity;
in vec3 color;
in float lifetime;
in float timeleft;
in float size;
in float type;
out vec3 vPosition;
out vec3 vVelocity;
out vec3 vColor;
out float vLifetime;
out float vTimeleft;
out float vSize;
out int vType;
void main() {
    vPosition = position;
    vVelocity = velocity;
    vColor = color;
    vLifetime = lifetime;
    vTimeleft = timeleft;
    vSize = size;
    vType = int(type);
}
