#version 330 core
// The scene, drawn below the whole size, scaled up to it with its edges kept.
// Twelve pixels around the point are read (the 4 x 4 block without its
// corners). Their brightness gradients at the four nearest, summed as a
// structure tensor, say which way an edge runs and how clearly: a thin line's
// two sides agree there, where plain gradients would cancel. Each pixel then
// weighs by its distance from the point, measured at a longer stride along
// the edge than across it, so that an edge's stairs are averaged along it
// while the step across it stays steep; past the nearest pixels the weight
// dips below zero, which steepens it further. The result is held within the
// four nearest pixels' range, so that the dip cannot ring, then sharpened
// against the bilinear picture, less where contrast is already high, and held
// again. Fetches only: no gather, no derivatives.
uniform sampler2D picture;
uniform vec2 scale;  // the picture's pixels per pixel drawn
layout(location = 0) out vec4 fragColor;

const float kAlong = 1.0;      // how much farther the weights reach along a clear edge
const float kAcross = 0.3;     // how much less far they reach across it
const float kLobe = 0.15;      // the dip's depth beyond the nearest pixels
const float kSharpen = 0.25;   // the sharpen's weight where contrast is low...
const float kContrast = 0.2;   // ...down to none at this brightness range
const float kFlat = 2e-3;      // gradients (squared) this small make no edge
const float kQuiet = 0.01;     // a brightness range below which bilinear is kept

// Rows -1 to 2 of the block; rows -1 and 2 hold only the middle two columns.
const ivec2 kTaps[12] = ivec2[12](ivec2(0, -1), ivec2(1, -1), ivec2(-1, 0), ivec2(0, 0),
                                  ivec2(1, 0), ivec2(2, 0), ivec2(-1, 1), ivec2(0, 1),
                                  ivec2(1, 1), ivec2(2, 1), ivec2(0, 2), ivec2(1, 2));

float luma(vec4 colour) { return dot(colour.rgb, vec3(0.299, 0.587, 0.114)); }

// 1 at the point, 0 a pixel away and at twice that, a shallow dip between.
float weight(float squared) {
    float window = max(1.0 - 0.25 * squared, 0.0);
    float shape = 1.0 - squared;
    return window * window * (squared < 1.0 ? shape : kLobe * shape);
}

vec4 at(ivec2 pixel, ivec2 last) { return texelFetch(picture, clamp(pixel, ivec2(0), last), 0); }

void main() {
    ivec2 last = textureSize(picture, 0) - 1;
    vec2 point = gl_FragCoord.xy * scale - 0.5;  // in the picture's pixel centres
    vec2 cell = floor(point);
    vec2 f = point - cell;
    ivec2 base = ivec2(cell);
    vec4 c[12];
    float l[12];
    c[3] = at(base, last);  // the four nearest
    c[4] = at(base + ivec2(1, 0), last);
    c[7] = at(base + ivec2(0, 1), last);
    c[8] = at(base + ivec2(1, 1), last);
    l[3] = luma(c[3]);
    l[4] = luma(c[4]);
    l[7] = luma(c[7]);
    l[8] = luma(c[8]);
    vec4 low = min(min(c[3], c[4]), min(c[7], c[8]));
    vec4 high = max(max(c[3], c[4]), max(c[7], c[8]));
    vec4 bilinear = mix(mix(c[3], c[4], f.x), mix(c[7], c[8], f.x), f.y);
    float contrast = max(max(l[3], l[4]), max(l[7], l[8])) - min(min(l[3], l[4]), min(l[7], l[8]));

    // Where the four nearest are all but equal, bilinear is as good. A loop,
    // not an if: a software renderer runs both sides of an if for its block
    // of pixels, but skips a loop that none of them enters.
    fragColor = bilinear;
    for (int once = 0; once < 1 && contrast >= kQuiet; ++once) {
        for (int i = 0; i < 12; ++i) {
            if (i == 3 || i == 4 || i == 7 || i == 8) continue;
            c[i] = at(base + kTaps[i], last);
            l[i] = luma(c[i]);
        }

        // Central differences at the four nearest, weighted as bilinear
        // filtering weights them.
        vec2 g00 = vec2(l[4] - l[2], l[7] - l[0]), g10 = vec2(l[5] - l[3], l[8] - l[1]);
        vec2 g01 = vec2(l[8] - l[6], l[10] - l[3]), g11 = vec2(l[9] - l[7], l[11] - l[4]);
        vec4 share =
            vec4((1.0 - f.x) * (1.0 - f.y), f.x * (1.0 - f.y), (1.0 - f.x) * f.y, f.x * f.y);
        vec3 tensor = share.x * vec3(g00 * g00, g00.x * g00.y) +
                      share.y * vec3(g10 * g10, g10.x * g10.y) +
                      share.z * vec3(g01 * g01, g01.x * g01.y) +
                      share.w * vec3(g11 * g11, g11.x * g11.y);
        // The tensor's main axis, across the edge, from its doubled angle.
        vec2 doubled = vec2(tensor.x - tensor.y, 2.0 * tensor.z);
        float spread = length(doubled);
        float coherence = spread / (tensor.x + tensor.y + kFlat);
        float cosine = spread > 0.0 ? doubled.x / spread : 1.0;
        vec2 across = vec2(sqrt(max(0.5 + 0.5 * cosine, 0.0)),
                           (doubled.y < 0.0 ? -1.0 : 1.0) * sqrt(max(0.5 - 0.5 * cosine, 0.0)));
        vec2 along = vec2(-across.y, across.x);
        along /= 1.0 + kAlong * coherence;
        across *= 1.0 + kAcross * coherence;
        // The squared stretched distance of an offset d, dot(d, along)^2 +
        // dot(d, across)^2, as one quadratic form: three products a tap.
        vec3 form = vec3(along.x * along.x + across.x * across.x,
                         along.y * along.y + across.y * across.y,
                         2.0 * (along.x * along.y + across.x * across.y));

        vec4 sum = vec4(0.0);
        float total = 0.0;
        for (int i = 0; i < 12; ++i) {
            vec2 d = vec2(kTaps[i]) - f;
            float w = weight(dot(form, vec3(d * d, d.x * d.y)));
            sum += w * c[i];
            total += w;
        }
        vec4 shaped = clamp(sum / max(total, 1e-3), low, high);
        float amount = kSharpen * (1.0 - smoothstep(0.0, kContrast, contrast));
        fragColor = clamp(shaped + amount * (shaped - bilinear), low, high);
    }
}
