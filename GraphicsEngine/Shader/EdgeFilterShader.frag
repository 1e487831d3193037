#version 330 core
// The finished picture with its stair-stepped edges smoothed, before the text
// and the panel are drawn over it. Where brightness changes sharply around a
// pixel, the edge runs the way it changes least; it is followed both ways to
// where it ends, and the pixel takes colour from across the edge in the share
// its place along the edge gives: none at the middle of a long step, nearly
// half beside its end. The steps of a shallow slope so become a ramp. A lone
// bright or dark pixel is softened by how far it stands from its neighbours.
// Twelve reads at most, none through derivatives, which a software
// renderer would work out for every pixel.
uniform sampler2D picture;
uniform int steps;  // along an edge, each way
layout(location = 0) out vec4 fragColor;

const float kContrast = 0.125;  // no edge below this brightness range...
const float kRelative = 0.125;  // ...nor below this share of the brightest
const float kSubpixel = 0.75;   // how far a lone pixel is blended at most

float luma(vec3 colour) { return dot(colour, vec3(0.299, 0.587, 0.114)); }

// The pixel's own and its four neighbours' colours are fetched unfiltered;
// the reads along an edge, between pixels, filter, at level 0.
vec4 at(vec2 where) { return textureLod(picture, where, 0.0); }

vec4 pixelAt(ivec2 pixel, ivec2 last) {
    return texelFetch(picture, clamp(pixel, ivec2(0), last), 0);
}

void main() {
    ivec2 size = textureSize(picture, 0), last = size - 1;
    vec2 texel = 1.0 / vec2(size);
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec2 here = gl_FragCoord.xy * texel;
    vec4 centre = texelFetch(picture, pixel, 0);
    float m = luma(centre.rgb);
    vec4 north = pixelAt(pixel + ivec2(0, 1), last), south = pixelAt(pixel - ivec2(0, 1), last);
    vec4 east = pixelAt(pixel + ivec2(1, 0), last), west = pixelAt(pixel - ivec2(1, 0), last);
    float n = luma(north.rgb), s = luma(south.rgb), e = luma(east.rgb), w = luma(west.rgb);
    float high = max(m, max(max(n, s), max(e, w)));
    float low = min(m, min(min(n, s), min(e, w)));
    float range = high - low;
    // No early return: a software renderer runs both sides of a branch for
    // its block of pixels, but leaves a loop once none of them is in it.
    bool edge = range >= max(kContrast, high * kRelative);

    // A horizontal edge bends brightness across rows more than across columns.
    bool horizontal = abs(n + s - 2.0 * m) >= abs(e + w - 2.0 * m);
    // The neighbour across the edge: the one brightness steps to most.
    float before = horizontal ? s : w, after = horizontal ? n : e;
    bool towardAfter = abs(after - m) >= abs(before - m);
    float across = towardAfter ? after : before;
    vec2 normal = (horizontal ? vec2(0.0, texel.y) : vec2(texel.x, 0.0)) *
                  (towardAfter ? 1.0 : -1.0);
    vec2 along = horizontal ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);

    // Along the line between the two pixels, whose bilinear brightness is
    // their mean, until it leaves that mean: there the edge ends. Strides of
    // 1, 2, 4 ... pixels each way, `steps` of them (a uniform, so that the
    // compiler keeps the loop that flat pixels skip).
    vec2 onEdge = here + 0.5 * normal;
    float edgeLuma = 0.5 * (m + across);
    float limit = 0.25 * abs(across - m);
    float backward = 0.0, forward = 0.0;
    float endBackward = edgeLuma, endForward = edgeLuma;
    bool doneBackward = !edge, doneForward = !edge;
    for (int i = 0; i < steps && !(doneBackward && doneForward); ++i) {
        float stride = i == 0 ? 1.0 : 2.0 * float(i);
        if (!doneBackward) {
            backward += stride;
            endBackward = luma(at(onEdge - backward * along).rgb);
            doneBackward = abs(endBackward - edgeLuma) >= limit;
        }
        if (!doneForward) {
            forward += stride;
            endForward = luma(at(onEdge + forward * along).rgb);
            doneForward = abs(endForward - edgeLuma) >= limit;
        }
    }
    // The pixel is blended only where the nearer end leaves the edge on the
    // pixel's own side of its mean: that end is the step this pixel belongs to.
    bool backwardNearer = backward < forward;
    float end = backwardNearer ? endBackward : endForward;
    bool stepHere = (end - edgeLuma < 0.0) != (m - edgeLuma < 0.0);
    float share = stepHere ? 0.5 - min(backward, forward) / max(backward + forward, 1.0) : 0.0;

    // A lone pixel: its distance from the mean of its neighbours.
    float lone = clamp(abs(0.25 * (n + s + e + w) - m) / max(range, 1e-4), 0.0, 1.0);
    lone = lone * lone * (3.0 - 2.0 * lone);
    share = edge ? max(share, lone * lone * kSubpixel) : 0.0;

    // The pixel's colour moved `share` of a pixel across the edge: between it
    // and its neighbour there, as a filtered read would give, without one.
    vec4 acrossColour = horizontal ? (towardAfter ? north : south) : (towardAfter ? east : west);
    fragColor = mix(centre, acrossColour, share);
}
