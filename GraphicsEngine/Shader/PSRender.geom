#version 330 core
// Placeholder: one small quad per particle.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;
uniform mat4 projectionMatrix;
uniform mat4 viewMatrix;
uniform vec3 quad1;
uniform vec3 quad2;
out vec2 vUv;
void main() {
    vec3 p = gl_in[0].gl_Position.xyz;
    mat4 vp = projectionMatrix * viewMatrix;
    vUv = vec2(0, 0); gl_Position = vp * vec4(p - quad1 - quad2, 1.0); EmitVertex();
    vUv = vec2(1, 0); gl_Position = vp * vec4(p + quad1 - quad2, 1.0); EmitVertex();
    vUv = vec2(0, 1); gl_Position = vp * vec4(p - quad1 + quad2, 1.0); EmitVertex();
    vUv = vec2(1, 1); gl_Position = vp * vec4(p + quad1 + quad2, 1.0); EmitVertex();
    EndPrimitive();
}
