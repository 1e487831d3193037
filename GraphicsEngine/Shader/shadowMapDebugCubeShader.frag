#version 330 core
// Stored distances as grey levels, near dark, far white, with more contrast
// close to the light where the scene is.
in vec3 direction;
uniform samplerCube shadowCube;  // unit 0
out vec4 fragColor;
void main() {
    float stored = texture(shadowCube, direction).r;
    fragColor = vec4(vec3(pow(stored, 0.4)), 1.0);
}
