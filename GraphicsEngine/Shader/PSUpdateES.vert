#version 300 es
// Particle update for a fixed pool of slots, vertex stage only (its output is
// captured, nothing is drawn): one vertex per slot. The slots from ringStart
// on, `emitted` of them with wrap-around, take this update's newborn; every
// other live slot is aged by timePassed and moved, and emptied (an all-zero
// record, type 0) when its time is up. Newborn and ageing are the desktop
// path's own (PSEmission.glsl), so both paths give the same particles.
precision highp float;
precision highp int;

#include "PSEmission.glsl"

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 velocity;
layout(location = 2) in vec3 color;
layout(location = 3) in float lifetime;
layout(location = 4) in float timeleft;
layout(location = 5) in float size;
layout(location = 6) in float type;  // an int in the buffer, read as a float

out vec3 position_Out;
out vec3 velocity_Out;
out vec3 color_Out;
out float lifetime_Out;
out float timeleft_Out;
out float size_Out;
flat out int type_Out;

uniform int ringStart;  // the first slot of this update's newborn
uniform int slotCount;  // slots in the pool
uniform int emitted;    // newborn this update, 0 when none is due

void write(Record p) {
    position_Out = p.position;
    velocity_Out = p.velocity;
    color_Out = p.color;
    lifetime_Out = p.lifetime;
    timeleft_Out = p.timeleft;
    size_Out = p.size;
    type_Out = p.type;
}

void main() {
    // Both in [0, slotCount), so one added pool keeps the remainder's operand
    // non-negative.
    int k = (gl_VertexID - ringStart + slotCount) % slotCount;
    Record p = Record(position, velocity, color, lifetime, timeleft, size, int(round(type)));
    if (k < emitted) {
        p = newborn(k);
    } else if (p.type != GENERATOR) {
        p = aged(p, timePassed);
    }
    if (p.type == GENERATOR || p.timeleft <= 0.0) {
        p = Record(vec3(0.0), vec3(0.0), vec3(0.0), 0.0, 0.0, 0.0, GENERATOR);  // empty
    }
    write(p);
}
