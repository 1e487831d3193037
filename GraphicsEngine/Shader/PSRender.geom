#version 330 core
// Particle drawing, geometry stage: one camera-facing quad per live particle
// (the generator record is skipped), with the sprite-sheet cell of its age,
// its colour and its strength. Everything that depends on the age alone is
// worked out here, once per particle, not once per pixel.

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

in vec3 vColor[];
in float vLifetime[];
in float vTimeleft[];
in float vSize[];
flat in int vType[];

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
    if (vType[0] == 0 || vTimeleft[0] <= 0.0) return;

    float life = clamp(1.0 - vTimeleft[0] / max(vLifetime[0], 1e-6), 0.0, 1.0);
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
    vec3 colour = vColor[0] * (1.0 + fireLight * warmth);

    mat4 viewProjection = matrices.projMat * matrices.viewMat;
    vec3 center = gl_in[0].gl_Position.xyz;
    vec3 right = quad1 * vSize[0];
    vec3 up = -quad2 * vSize[0];
    // Corners in strip order: bottom-left, bottom-right, top-left, top-right.
    vec2 corners[4] = vec2[](vec2(0.0, 0.0), vec2(1.0, 0.0), vec2(0.0, 1.0), vec2(1.0, 1.0));
    for (int i = 0; i < 4; ++i) {
        vec2 corner = corners[i];
        vec3 world = center + right * (2.0 * corner.x - 1.0) + up * (2.0 * corner.y - 1.0);
        gl_Position = viewProjection * vec4(world, 1.0);
        texCoord = cellOrigin + corner * cellSize;
        particleColor = colour;
        particleAlpha = alpha * fadeIn * fadeOut;
        EmitVertex();
    }
    EndPrimitive();
}
