#version 330 core
// Placeholder: keeps every record unchanged.
layout(points) in;
layout(points, max_vertices = 1) out;
in vec3 vPosition[];
in vec3 vVelocity[];
in vec3 vColor[];
in float vLifetime[];
in float vTimeleft[];
in float vSize[];
in int vType[];
out vec3 position_Out;
out vec3 velocity_Out;
out vec3 color_Out;
out float lifetime_Out;
out float timeleft_Out;
out float size_Out;
flat out int type_Out;
void main() {
    position_Out = vPosition[0];
    velocity_Out = vVelocity[0];
    color_Out = vColor[0];
    lifetime_Out = vLifetime[0];
    timeleft_Out = vTimeleft[0];
    size_Out = vSize[0];
    type_Out = vType[0];
    EmitVertex();
    EndPrimitive();
}
