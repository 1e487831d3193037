#version 330 core
// Shadow cube: stores the distance to the light scaled by the far plane, the
// value the lit programs compare with.
in vec3 worldPos;
uniform vec4 l_pos;
uniform vec2 near_far;
out vec4 fragColor;
void main() {
    float stored = length(worldPos - l_pos.xyz) / near_far.y;
    gl_FragDepth = stored;
    fragColor = vec4(stored);  // no colour buffer attached; written for completeness
}
