#version 330 core
// Placeholder: each triangle into all six cube faces.
layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;
uniform mat4 cm_mat[6];
out vec4 worldPosition;
void main() {
    for (int face = 0; face < 6; ++face) {
        for (int i = 0; i < 3; ++i) {
            gl_Layer = face;
            worldPosition = gl_in[i].gl_Position;
            gl_Position = cm_mat[face] * worldPosition;
            EmitVertex();
        }
        EndPrimitive();
    }
}
