#version 330 core
// Lit surfaces: colour texture, optional normal and relief maps, a dim sun
// with an ambient term, the fire's point lights with their soft shadow cube
// and Blinn-Phong highlights, and distance fog.
struct PointLight {
    vec3 Color;
    float AmbientInt;
    float DiffuseInt;
    vec3 Position;
    float ConstAtt;
    float LinearAtt;
    float ExpAtt;
};
const int MAX_POINT_LIGHTS = 4;
// The point lights that are shaded: the scene has one, the fire. The bound is
// a constant so that the compiler unrolls the loop and reads the light with a
// constant index; a counted loop costs its whole body per pixel on a software
// renderer even when it runs no step. Raise it for a scene with more lights.
const int SHADED_POINT_LIGHTS = 1;

in vec3 worldPos;
in vec3 worldNormal;
in vec3 worldTangent;
in vec3 worldBitangent;
in vec2 texCoord;
in vec4 sunShadowCoord;

uniform sampler2D colorTexture;
uniform sampler2D normalMap;
uniform sampler2D depthMap;
uniform float heightScale;  // > 0: normal and relief maps are bound
// The sun's shadow map is never rendered, so its contents say nothing about
// occlusion; the dim sun is left unshadowed rather than darkened by it.
uniform sampler2DShadow shadowMap;
// The fire light's depth per cube face, read through a comparison sampler.
uniform samplerCubeShadow cm_z_tex;
uniform vec2 near_far;
uniform vec4 l_pos;

uniform vec3 sunLightDir;
uniform vec3 sunLightCol;
uniform float sunLightInt;
uniform vec3 ambLightCol;
uniform float ambLightInt;
uniform float shininess;
uniform float specLightInt;
uniform int numPointLights;
uniform PointLight pointLights[MAX_POINT_LIGHTS];

uniform vec4 fogColor;
uniform float fogStart;
uniform float fogEnd;
uniform float fogDensity;
uniform int fogEquation;  // 0 linear, 1 exp, 2 exp squared
uniform vec3 view;        // eye position

layout(location = 0) out vec4 fragColor;

const float RELIEF_DEPTH = 0.04;  // texture-space depth of the relief at heightScale 1
const float CUBE_SIZE = 1024.0;

// Parallax occlusion: march the view ray down through the depth map (white =
// surface top) in up to 24 layers and interpolate the crossing between the
// last layer above the surface and the first one below it. The layer count
// follows the relief's size on screen; where the relief has faded out nothing
// is read. Every depth lookup uses the one level of detail of the unshifted
// coordinate, and each layer is looked up once: the height above the surface
// is kept for the interpolation.
vec2 reliefTexCoord(vec2 uv, vec3 viewTS, float strength, float eyeDistance, float lod) {
    float layers = mix(24.0, 6.0, clamp(viewTS.z, 0.0, 1.0));
    layers = max(4.0, ceil(layers * min(1.0, 12.0 / eyeDistance)));
    float layerStep = 1.0 / layers;
    float shiftPerLayer = heightScale * strength * RELIEF_DEPTH * layerStep / max(viewTS.z, 0.25);
    vec2 shift = viewTS.xy * shiftPerLayer;
    // The ray's height over the surface at the current layer and the one above.
    float height = 0.0, above = 0.0;
    vec2 at = uv;
    // The bound is not a constant, so the compiler keeps the loop a loop.
    int bottom = int(layers), layer = 0;
    bool done = strength <= 0.0;
    for (; layer <= bottom && !done; ++layer) {
        above = height;
        height = 1.0 - textureLod(depthMap, at, lod).r - layerStep * float(layer);
        done = height <= 0.0 || layer == bottom;
        at = done ? at : at - shift;
    }
    // No relief, or the surface top right at the first layer: no shift.
    if (strength <= 0.0 || layer == 1) return uv;
    float weight = height / (height - above + 1e-5);
    return mix(at, at + shift, clamp(weight, 0.0, 1.0));
}

// A turn of the shadow disk per pair of pixels so that its taps do not band:
// a hashed tangent of half the angle, the rotation built from it without any
// trigonometry (a half turn either way is all four quadrant taps need).
mat2 pairTurn(vec2 pair) {
    float t = 2.0 * fract(52.9829189 * fract(dot(pair, vec2(0.06711056, 0.00583715)))) - 1.0;
    float r = 1.0 / (1.0 + t * t);
    float c = (1.0 - t * t) * r, s = 2.0 * t * r;
    return mat2(c, s, -s, c);
}

// Four disk points, one in each quadrant.
const vec2 DISK[4] = vec2[](vec2(-0.792, -0.598), vec2(0.896, 0.412), vec2(-0.696, 0.457),
                            vec2(0.473, -0.480));

// The depth the shadow cube holds for the point at v from the light: the
// projected depth of the face whose view axis is v's largest component, taken
// `bias` world units closer to the light.
float cubeDepth(vec3 v, float bias) {
    vec3 a = abs(v);
    float major = max(a.x, max(a.y, a.z)) - bias;
    return near_far.y / (near_far.y - near_far.x) * (1.0 - near_far.x / major);
}

// Fraction of the fire light that reaches P (1 lit, 0 shadowed): four disk
// taps, each a filtered 2 x 2 comparison in the cube. The two pixels of a
// horizontal pair each compare two of them and share the mean of all four, so
// a pixel pays for two lookups; a quarter of the pair above or below is mixed
// in, which smooths the penumbra's grain without making it blocky. The disk is
// 0.8 of the penumbra's width, as each filtered tap widens it a little again.
// The taps lie in the surface's own plane, each compared at its own depth, so
// a tilted receiver does not shadow itself; a normal offset of about one cube
// texel removes acne without detaching contact shadows. Called outside any
// branch: all four pixels of a quad take part.
float omniShadow(vec3 P, vec3 N) {
    vec3 toP = P - l_pos.xyz;
    float dist = length(toP);
    float texel = 2.0 * dist / CUBE_SIZE;
    float facing = clamp(-dot(N, toP) / max(dist, 1e-4), 0.0, 1.0);
    vec3 base = P + N * texel * (1.0 + 2.0 * (1.0 - facing));
    // Two axes in the surface's plane, without normalising (N is unit length).
    float flip = N.z >= 0.0 ? 1.0 : -1.0;
    float a = -1.0 / (flip + N.z), b = N.x * N.y * a;
    vec3 axisU = vec3(1.0 + flip * N.x * N.x * a, flip * b, -flip * N.x);
    vec3 axisV = vec3(b, flip + N.y * N.y * a, -N.y);
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    bool right = (pixel.x & 1) == 1;  // the right-hand pixel of its pair
    mat2 turn = pairTurn(vec2(pixel.x >> 1, pixel.y)) * 0.8 * max(2.0 * texel, 0.012 * dist);
    vec2 o1 = turn * (right ? DISK[2] : DISK[0]);
    vec2 o2 = turn * (right ? DISK[3] : DISK[1]);
    vec3 tap1 = base + axisU * o1.x + axisV * o1.y - l_pos.xyz;
    vec3 tap2 = base + axisU * o2.x + axisV * o2.y - l_pos.xyz;
    float lit = 0.5 * (texture(cm_z_tex, vec4(tap1, cubeDepth(tap1, 0.5 * texel))) +
                       texture(cm_z_tex, vec4(tap2, cubeDepth(tap2, 0.5 * texel))));
    // The pair's mean, then a quarter of the pair above or below. GLSL 3.30
    // leaves the derivatives' precision to the driver; Mesa's software renderer
    // takes them per row and column of the 2 x 2 quad, as this needs. A driver
    // that takes one difference per quad still gives a smooth penumbra, the
    // lower row's mix taken from the upper row.
    lit += (right ? -0.5 : 0.5) * dFdx(lit);
    lit += ((pixel.y & 1) == 1 ? -0.25 : 0.25) * dFdy(lit);
    // Outside the cube's range nothing was recorded: lit.
    return dist < near_far.y ? lit : 1.0;
}

// Compresses only the bright end, on luminance, so that the hottest spots
// near the fire keep their hue instead of clipping to white.
vec3 shoulder(vec3 colour) {
    float luminance = dot(colour, vec3(0.299, 0.587, 0.114));
    if (luminance <= 0.6) return colour;
    float compressed = 0.6 + 0.4 * (1.0 - exp(-(luminance - 0.6) / 0.4));
    return colour * (compressed / luminance);
}

// Both sides of a branch run here, so the two exponential fogs share one exp.
float fogFactor(float distance) {
    float x = fogDensity * distance;
    float exponential = exp(-(fogEquation == 2 ? x * x : x));
    float linear = (fogEnd - distance) / max(fogEnd - fogStart, 1e-4);
    return clamp(fogEquation == 0 ? linear : exponential, 0.0, 1.0);
}

void main() {
    vec3 geometricNormal = normalize(worldNormal);
    if (!gl_FrontFacing) geometricNormal = -geometricNormal;
    // First, while little else is live: each of its two cube lookups is a
    // call on a software renderer, which saves every live value around it.
    float fireShadow = omniShadow(worldPos, geometricNormal);
    float eyeDistance = length(view - worldPos);
    vec3 toEye = (view - worldPos) * (1.0 / max(eyeDistance, 1e-4));
    // Under full fog nothing below shows; the loops below then run no steps.
    float fog = fogFactor(eyeDistance);
    bool visible = fog > 0.0;
    // The relief (only where heightScale marks the maps as bound): every
    // lookup takes its level of detail from the unshifted coordinate, as the
    // march shifts it by a different amount in neighbouring pixels; the one
    // level serves all three maps of a material, which share their size.
    // There is no branch around it: both sides of a branch would run anyway.
    vec3 T = worldTangent - geometricNormal * dot(geometricNormal, worldTangent);
    bool hasFrame = heightScale > 0.0 && dot(T, T) > 1e-10;  // else the plain normal
    T *= inversesqrt(max(dot(T, T), 1e-20));
    vec3 B = cross(geometricNormal, T);
    if (dot(B, worldBitangent) < 0.0) B = -B;  // mirrored UVs
    mat3 tbn = mat3(T, B, geometricNormal);
    // Relief shrinks below a pixel with distance; stop marching there.
    float reliefFade = visible && hasFrame ? 1.0 - smoothstep(25.0, 45.0, eyeDistance) : 0.0;
    vec2 size = vec2(textureSize(colorTexture, 0));
    vec2 dx = dFdx(texCoord) * size, dy = dFdy(texCoord) * size;  // in texels
    float lod = 0.5 * log2(max(max(dot(dx, dx), dot(dy, dy)), 1e-8));
    vec2 uv = reliefTexCoord(texCoord, transpose(tbn) * toEye, reliefFade, eyeDistance, lod);
    vec3 mapped = textureLod(normalMap, uv, lod).rgb * 2.0 - 1.0;
    vec3 N = hasFrame ? normalize(tbn * mapped) : geometricNormal;
    vec3 albedo = textureLod(colorTexture, uv, lod).rgb;

    vec3 light = ambLightCol * ambLightInt;
    vec3 specular = vec3(0.0);
    float exponent = 1.0 + 127.0 * clamp(shininess, 0.0, 1.0);

    // The dim sun lights diffusely only: its highlight would stay within a
    // few grey levels and cost as much as the fire's.
    light += sunLightCol * sunLightInt * max(dot(N, -normalize(sunLightDir)), 0.0);

    int count = visible ? min(numPointLights, MAX_POINT_LIGHTS) : 0;
    for (int i = 0; i < min(count, SHADED_POINT_LIGHTS); ++i) {
        vec3 toLight = pointLights[i].Position - worldPos;
        float d = length(toLight);
        vec3 L = toLight * (1.0 / max(d, 1e-4));
        float attenuation = 1.0 / max(pointLights[i].ConstAtt + pointLights[i].LinearAtt * d +
                                          pointLights[i].ExpAtt * d * d, 1e-4);
        light += pointLights[i].Color * pointLights[i].AmbientInt * attenuation;
        float diffuse = max(dot(N, L), 0.0);
        // Faces turned away from the light get nothing, whatever the map says.
        if (diffuse <= 0.0 || dot(geometricNormal, L) <= 0.0) continue;
        // The shadow cube belongs to the first light only.
        vec3 radiance = pointLights[i].Color * pointLights[i].DiffuseInt * attenuation *
                        (i == 0 ? fireShadow : 1.0);
        light += radiance * diffuse;
        specular += radiance * specLightInt *
                    pow(max(dot(N, normalize(L + toEye)), 0.0), exponent);
    }

    vec3 colour = shoulder(albedo * light + specular);
    fragColor = vec4(mix(fogColor.rgb, colour, fog), 1.0);
}
