#version 330 core
// Distances from the fire light as grey levels, near dark, far white, with
// more contrast close to the light where the scene is. The cube holds each
// face's projected depth; its near and far planes are the light's (1, 100).
in vec3 direction;
uniform samplerCube shadowCube;  // unit 0
out vec4 fragColor;
const float NEAR = 1.0, FAR = 100.0;
void main() {
    float depth = texture(shadowCube, direction).r;
    float distanceOverFar = NEAR / (FAR - depth * (FAR - NEAR));
    fragColor = vec4(vec3(pow(distanceOverFar, 0.4)), 1.0);
}
