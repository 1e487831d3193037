#version 330 core
// Shadow cube: sends each triangle to the cube faces whose view it touches,
// layer i through cm_mat[i]. A triangle wholly outside one clip plane of a
// face is skipped for that face, and one turned away from the light (which
// every face would cull) is not sent at all.
layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;

uniform mat4 cm_mat[6];
uniform vec4 l_pos;

bool outsideFace(vec4 a, vec4 b, vec4 c) {
    return (a.x > a.w && b.x > b.w && c.x > c.w) || (a.x < -a.w && b.x < -b.w && c.x < -c.w) ||
           (a.y > a.w && b.y > b.w && c.y > c.w) || (a.y < -a.w && b.y < -b.w && c.y < -c.w) ||
           (a.z > a.w && b.z > b.w && c.z > c.w) || (a.z < -a.w && b.z < -b.w && c.z < -c.w);
}

void main() {
    vec3 a = gl_in[0].gl_Position.xyz;
    vec3 b = gl_in[1].gl_Position.xyz;
    vec3 c = gl_in[2].gl_Position.xyz;
    if (dot(cross(b - a, c - a), l_pos.xyz - a) <= 0.0) return;
    for (int face = 0; face < 6; ++face) {
        vec4 clip[3];
        for (int v = 0; v < 3; ++v) clip[v] = cm_mat[face] * gl_in[v].gl_Position;
        if (outsideFace(clip[0], clip[1], clip[2])) continue;
        for (int v = 0; v < 3; ++v) {
            gl_Layer = face;
            gl_Position = clip[v];
            EmitVertex();
        }
        EndPrimitive();
    }
}
