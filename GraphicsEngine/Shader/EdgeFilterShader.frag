#version 330 core
// The finished picture with its stair-stepped edges smoothed, before the text
// and the panel are drawn over it. Where brightness changes sharply around a
// pixel, the edge runs the way it changes least; it is followed both ways to
// where it ends, and the pixel takes colour from across the edge in the share
// its place along the edge gives: none at the middle of a long step, nearly
// half beside its end. The steps of a shallow slope so become a ramp. A lone
// bright or dark pixel is softened by how far it stands from its neighbours.
uniform sampler2D picture;
layout(location = 0) out vec4 fragColor;

const float kContrast = 0.05;   // no edge below this brightness range...
const float kRelative = 0.125;  // ...nor below this share of the brightest
const float kSubpixel = 0.75;   // how far a lone pixel is blended at most
const int kSteps = 10;          // followed this far each way: 1 pixel, then 2

float luma(vec3 colour) { return dot(colour, vec3(0.299, 0.587, 0.114)); }

float lumaAt(ivec2 pixel, ivec2 size) {
    return luma(texelFetch(picture, clamp(pixel, ivec2(0), size - 1), 0).rgb);
}

void main() {
    ivec2 size = textureSize(picture, 0);
    vec2 texel = 1.0 / vec2(size);
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec4 centre = texelFetch(picture, pixel, 0);
    float m = luma(centre.rgb);
    float n = lumaAt(pixel + ivec2(0, 1), size), s = lumaAt(pixel + ivec2(0, -1), size);
    float e = lumaAt(pixel + ivec2(1, 0), size), w = lumaAt(pixel + ivec2(-1, 0), size);
    float high = max(m, max(max(n, s), max(e, w)));
    float low = min(m, min(min(n, s), min(e, w)));
    float range = high - low;
    if (range < max(kContrast, high * kRelative)) {
        fragColor = centre;
        return;
    }
    float ne = lumaAt(pixel + ivec2(1, 1), size), nw = lumaAt(pixel + ivec2(-1, 1), size);
    float se = lumaAt(pixel + ivec2(1, -1), size), sw = lumaAt(pixel + ivec2(-1, -1), size);

    // How sharply brightness bends across rows and across columns: a
    // horizontal edge bends it across rows.
    float acrossRows = abs(nw + sw - 2.0 * w) + 2.0 * abs(n + s - 2.0 * m) +
                       abs(ne + se - 2.0 * e);
    float acrossColumns = abs(nw + ne - 2.0 * n) + 2.0 * abs(w + e - 2.0 * m) +
                          abs(sw + se - 2.0 * s);
    bool horizontal = acrossRows >= acrossColumns;
    // The neighbour across the edge: the one brightness steps to most.
    float before = horizontal ? s : w, after = horizontal ? n : e;
    bool towardAfter = abs(after - m) >= abs(before - m);
    float across = towardAfter ? after : before;
    float gradient = abs(across - m);
    vec2 normal = (horizontal ? vec2(0.0, texel.y) : vec2(texel.x, 0.0)) *
                  (towardAfter ? 1.0 : -1.0);
    vec2 along = horizontal ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);

    // Along the line between the two pixels, whose bilinear brightness is
    // their mean, until it leaves that mean: there the edge ends.
    vec2 onEdge = (vec2(pixel) + 0.5) * texel + 0.5 * normal;
    float edgeLuma = 0.5 * (m + across);
    float limit = 0.25 * gradient;
    float backward = 0.0, forward = 0.0;
    float endBackward = edgeLuma, endForward = edgeLuma;
    bool doneBackward = false, doneForward = false;
    for (int i = 0; i < kSteps; ++i) {
        float stride = i < 4 ? 1.0 : 2.0;
        if (!doneBackward) {
            backward += stride;
            endBackward = luma(texture(picture, onEdge - backward * along).rgb);
            doneBackward = abs(endBackward - edgeLuma) >= limit;
        }
        if (!doneForward) {
            forward += stride;
            endForward = luma(texture(picture, onEdge + forward * along).rgb);
            doneForward = abs(endForward - edgeLuma) >= limit;
        }
    }
    // The pixel is blended only where the nearer end leaves the edge on the
    // pixel's own side of its mean: that end is the step this pixel belongs to.
    bool backwardNearer = backward < forward;
    float nearest = min(backward, forward);
    float end = backwardNearer ? endBackward : endForward;
    bool stepHere = (end - edgeLuma < 0.0) != (m - edgeLuma < 0.0);
    float share = stepHere ? 0.5 - nearest / (backward + forward) : 0.0;

    // A lone pixel: its distance from the mean of its neighbours.
    float neighbours = (2.0 * (n + s + e + w) + ne + nw + se + sw) / 12.0;
    float lone = clamp(abs(neighbours - m) / range, 0.0, 1.0);
    lone = lone * lone * (3.0 - 2.0 * lone);
    share = max(share, lone * lone * kSubpixel);

    vec2 at = (vec2(pixel) + 0.5) * texel + share * normal;
    fragColor = texture(picture, at);
}
