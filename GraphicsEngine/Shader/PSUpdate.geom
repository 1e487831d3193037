#version 330 core
// Particle update, geometry stage (its output is captured, nothing is drawn).
// An update draws the generator record (type 0) once per instance, first:
// instance 0 writes it back, so that it can emit again, and instance i writes
// newborn i - 1. Then every other particle is drawn once, aged by timePassed,
// moved and dropped when its time is up. One record out per invocation,
// however many bursts fell due: well inside the smallest geometry-output
// budget GL allows.

#include "PSEmission.glsl"

layout(points) in;
layout(points, max_vertices = 1) out;

in vec3 vPosition[];
in vec3 vVelocity[];
in vec3 vColor[];
in float vLifetime[];
in float vTimeleft[];
in float vSize[];
flat in int vType[];
flat in int vInstance[];

out vec3 position_Out;
out vec3 velocity_Out;
out vec3 color_Out;
out float lifetime_Out;
out float timeleft_Out;
out float size_Out;
flat out int type_Out;

void write(Record p) {
    position_Out = p.position;
    velocity_Out = p.velocity;
    color_Out = p.color;
    lifetime_Out = p.lifetime;
    timeleft_Out = p.timeleft;
    size_Out = p.size;
    type_Out = p.type;
    EmitVertex();
    EndPrimitive();
}

void main() {
    Record p = Record(vPosition[0], vVelocity[0], vColor[0], vLifetime[0], vTimeleft[0], vSize[0],
                      vType[0]);
    if (p.type == GENERATOR) {
        if (vInstance[0] == 0) {
            write(p);
            return;
        }
        p = newborn(vInstance[0] - 1);
    } else {
        p = aged(p, timePassed);
    }
    if (p.timeleft > 0.0) write(p);
}
