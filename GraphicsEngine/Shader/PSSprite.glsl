// The particles' look, shared by both render programs: the desktop's geometry
// stage (PSRender.geom) and OpenGL ES's vertex stage (PSRenderES.vert) take it
// in where they say #include. A live particle is a camera-facing quad around
// its position, showing the sprite-sheet cell of its age, tinted and faded by
// its age; everything here depends on the particle alone, not on the pixel.

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

// What a live particle shows, the same at its four corners.
struct Sprite {
    vec2 cellOrigin;  // the sheet cell's bottom-left corner, in texture space
    vec2 cellSize;
    vec3 colour;
    float alpha;
};

Sprite spriteOf(vec3 colour, float lifetime, float timeleft) {
    float life = clamp(1.0 - timeleft / max(lifetime, 1e-6), 0.0, 1.0);
    int rows = max(animRows, 1);
    int cols = max(animCols, 1);
    int frame = sheetCell(life, rows, cols, animFrames, animSpeed);
    // Frames run left to right, then top to bottom, from the image's top-left;
    // the image's top row is at the top of texture space.
    Sprite sprite;
    sprite.cellSize = vec2(1.0 / float(cols), 1.0 / float(rows));
    sprite.cellOrigin = vec2(float(frame % cols), float(rows - 1 - frame / cols)) * sprite.cellSize;

    // Faded in over the blend delay. Smoke thins out slowly, most of it late,
    // so the plume still shows high up; additive glow keeps its strength and
    // dies away over the last third.
    float fadeIn = blendDelay > 0.0 ? smoothstep(0.0, blendDelay, life) : 1.0;
    float fadeOut = alphaType == 1 ? 1.0 - life * life : 1.0 - smoothstep(2.0 / 3.0, 1.0, life);
    // Smoke is lit warm by the fire below it, less as the puff ages and rises.
    float warmth = alphaType == 1 ? 1.2 * (1.0 - life) : 0.0;
    sprite.colour = colour * (1.0 + fireLight * warmth);
    sprite.alpha = alpha * fadeIn * fadeOut;
    return sprite;
}

// The world position of a quad's corner: `corner` is (0, 0) at the
// bottom-left to (1, 1) at the top-right; the quad is 2 * size across.
vec3 spriteCorner(vec3 centre, float size, vec2 corner) {
    vec3 right = quad1 * size;
    vec3 up = -quad2 * size;
    return centre + right * (2.0 * corner.x - 1.0) + up * (2.0 * corner.y - 1.0);
}

// The texture coordinate at a corner of the sprite's quad.
vec2 spriteTexCoord(Sprite sprite, vec2 corner) {
    return sprite.cellOrigin + corner * sprite.cellSize;
}
