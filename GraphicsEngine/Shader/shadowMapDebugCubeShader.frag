#version 330 core
// The fire light's distances as grey levels: black at the light, a quarter of
// the way to white 7 units out (the structure), three quarters at 35 (the
// ground around the platform), white far off and where nothing was drawn.
// The cube holds each face's projected depth (near and far planes 1 and 100):
// undone, that is the depth along the face's axis, and the direction's
// largest component turns it into the distance along the ray itself.
in vec3 direction;
uniform samplerCube shadowCube;  // unit 0
layout(location = 0) out vec4 fragColor;
const float NEAR = 1.0, FAR = 100.0;
const float SCALE = 25.0;  // the distance shown at 63 % grey
void main() {
    float depth = texture(shadowCube, direction).r;
    float alongAxis = NEAR * FAR / (FAR - depth * (FAR - NEAR));
    vec3 a = abs(direction);
    float distance = alongAxis * length(direction) / max(a.x, max(a.y, a.z));
    float grey = depth < 1.0 ? 1.0 - exp(-distance / SCALE) : 1.0;
    fragColor = vec4(vec3(grey), 1.0);
}
