#version 330 core
// Placeholder: linear distance to the light as depth.
in vec4 worldPosition;
uniform vec3 l_pos;
uniform vec2 near_far;
out vec4 fragColor;
void main() {
    float d = length(worldPosition.xyz - l_pos);
    gl_FragDepth = clamp((d - near_far.x) / (near_far.y - near_far.x), 0.0, 1.0);
    fragColor = vec4(gl_FragDepth);
}
