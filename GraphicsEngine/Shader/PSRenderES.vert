#version 300 es
// Particle drawing for a pool of slots, vertex stage: one instance per slot,
// four vertices each (a triangle strip), so the camera-facing quad, its
// sprite-sheet cell, colour and strength are built here, as PSRender.geom
// builds them. An empty or finished slot puts all four corners on one point
// outside the clip volume: nothing is drawn for it.
precision highp float;
precision highp int;

// Per instance: the slot's record.
layout(location = 0) in vec3 position;
layout(location = 2) in vec3 color;
layout(location = 3) in float lifetime;
layout(location = 4) in float timeleft;
layout(location = 5) in float size;
layout(location = 6) in float type;  // an int in the buffer, read as a float

out vec2 texCoord;
out vec3 particleColor;
out float particleAlpha;

uniform struct Matrices {
    mat4 projMat;
    mat4 viewMat;
} matrices;
uniform vec3 quad1;  // to the viewer's right
uniform vec3 quad2;  // to the viewer's down
uniform int alphaType;  // 0: additive glow, 1: alpha-blended smoke
uniform float alpha;
uniform float blendDelay;
uniform int animRows;
uniform int animCols;
uniform int animFrames;
uniform float animSpeed;

// The scene's fire light: young smoke, still close to the fire, glows with it.
const vec3 fireLight = vec3(1.0, 0.7, 0.6);

// The cell at `life`: every particle plays through to the sheet's last used
// cell and never past it; the index follows life^animSpeed, so animSpeed is
// the pace of the last cells relative to an even pace (particles::sheetCell).
int sheetCell(float life, int rows, int cols, int frames, float speed) {
    int last = min(max(frames, 1), rows * cols) - 1;
    float paced = life > 0.0 ? pow(min(life, 1.0), max(speed, 1e-3)) : 0.0;
    return min(int(paced * float(last + 1)), last);
}

void main() {
    if (int(round(type)) == 0 || timeleft <= 0.0) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        texCoord = vec2(0.0);
        particleColor = vec3(0.0);
        particleAlpha = 0.0;
        return;
    }

    float life = clamp(1.0 - timeleft / max(lifetime, 1e-6), 0.0, 1.0);
    int rows = max(animRows, 1);
    int cols = max(animCols, 1);
    int frame = sheetCell(life, rows, cols, animFrames, animSpeed);
    // Frames run left to right, then top to bottom, from the image's top-left;
    // the image's top row is at the top of texture space.
    vec2 cellSize = vec2(1.0 / float(cols), 1.0 / float(rows));
    vec2 cellOrigin = vec2(float(frame % cols), float(rows - 1 - frame / cols)) * cellSize;

    // Faded in over the blend delay. Smoke thins out slowly, most of it late,
    // so the plume still shows high up; additive glow keeps its strength and
    // dies away over the last third.
    float fadeIn = blendDelay > 0.0 ? smoothstep(0.0, blendDelay, life) : 1.0;
    float fadeOut = alphaType == 1 ? 1.0 - life * life : 1.0 - smoothstep(2.0 / 3.0, 1.0, life);
    // Smoke is lit warm by the fire below it, less as the puff ages and rises.
    float warmth = alphaType == 1 ? 1.2 * (1.0 - life) : 0.0;

    // Strip order: bottom-left, bottom-right, top-left, top-right.
    vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));
    vec3 right = quad1 * size;
    vec3 up = -quad2 * size;
    vec3 world = position + right * (2.0 * corner.x - 1.0) + up * (2.0 * corner.y - 1.0);
    gl_Position = matrices.projMat * matrices.viewMat * vec4(world, 1.0);
    texCoord = cellOrigin + corner * cellSize;
    particleColor = color * (1.0 + fireLight * warmth);
    particleAlpha = alpha * fadeIn * fadeOut;
}
