#version 330 core
// Lit surfaces: colour texture, optional normal and relief maps, a dim sun
// with an ambient term, the fire's point lights with their soft shadow cube,
// Blinn-Phong specular and distance fog.
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
uniform samplerCube cm_z_tex;  // distance to the fire light / far, per direction
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

out vec4 fragColor;

const float RELIEF_DEPTH = 0.04;  // texture-space depth of the relief at heightScale 1
const float CUBE_SIZE = 1024.0;

// Parallax occlusion: march the view ray down through the depth map (white =
// surface top) and interpolate between the last two layers.
vec2 reliefTexCoord(vec2 uv, vec3 viewTS, float strength) {
    vec2 dx = dFdx(uv);
    vec2 dy = dFdy(uv);
    float layers = mix(24.0, 6.0, clamp(viewTS.z, 0.0, 1.0));
    float layerStep = 1.0 / layers;
    vec2 shift = viewTS.xy / max(viewTS.z, 0.25) * heightScale * strength * RELIEF_DEPTH / layers;
    vec2 current = uv;
    float layer = 0.0;
    float depth = 1.0 - textureGrad(depthMap, current, dx, dy).r;
    for (int i = 0; i < 24 && layer < depth; ++i) {
        current -= shift;
        depth = 1.0 - textureGrad(depthMap, current, dx, dy).r;
        layer += layerStep;
    }
    vec2 previous = current + shift;
    float after = depth - layer;
    float before = (1.0 - textureGrad(depthMap, previous, dx, dy).r) - layer + layerStep;
    float weight = after / (after - before + 1e-5);
    return mix(current, previous, clamp(weight, 0.0, 1.0));
}

// Cheap per-pixel angle so that the shadow taps do not band.
float hash(vec2 p) { return fract(sin(dot(p, vec2(12.9898, 78.233))) * 43758.5453); }

// A Poisson disk whose first four points lie in the four quadrants.
const vec2 DISK[12] = vec2[](
    vec2(-0.792, -0.598), vec2(0.896, 0.412), vec2(-0.696, 0.457), vec2(0.473, -0.480),
    vec2(-0.326, -0.406), vec2(-0.840, -0.074), vec2(-0.203, 0.621), vec2(0.962, -0.195),
    vec2(0.519, 0.767), vec2(0.185, -0.893), vec2(0.507, 0.064), vec2(-0.322, -0.933));

// Fraction of the fire light that reaches P (1 lit, 0 shadowed). The taps lie
// in the surface's own plane, each compared at its own distance, so a tilted
// receiver does not shadow itself; a normal offset of about one cube texel
// removes acne without detaching contact shadows.
float omniShadow(vec3 P, vec3 N) {
    vec3 toP = P - l_pos.xyz;
    float dist = length(toP);
    if (dist >= near_far.y) return 1.0;  // outside the cube's range: nothing recorded
    float texel = 2.0 * dist / CUBE_SIZE;
    float facing = clamp(dot(N, -toP / dist), 0.0, 1.0);
    vec3 base = P + N * texel * (1.0 + 2.0 * (1.0 - facing));
    vec3 axisU = normalize(abs(N.y) < 0.99 ? cross(N, vec3(0.0, 1.0, 0.0))
                                          : cross(N, vec3(1.0, 0.0, 0.0)));
    vec3 axisV = cross(N, axisU);
    float radius = max(2.0 * texel, 0.012 * dist);
    float angle = 6.2831853 * hash(gl_FragCoord.xy);
    mat2 turn = mat2(cos(angle), sin(angle), -sin(angle), cos(angle));
    // Four spread taps first: where they agree the point is fully lit or
    // fully shadowed and the other eight would change nothing visible.
    float lit = 0.0;
    for (int i = 0; i < 12; ++i) {
        vec2 o = turn * DISK[i] * radius;
        vec3 tap = base + axisU * o.x + axisV * o.y - l_pos.xyz;
        float reference = length(tap) / near_far.y;
        float stored = texture(cm_z_tex, tap).r;
        lit += reference - 0.5 * texel / near_far.y <= stored ? 1.0 : 0.0;
        if (i == 3 && (lit == 0.0 || lit == 4.0)) return lit / 4.0;
    }
    return lit / 12.0;
}

// Compresses only the bright end, on luminance, so that the hottest spots
// near the fire keep their hue instead of clipping to white.
vec3 shoulder(vec3 colour) {
    float luminance = dot(colour, vec3(0.299, 0.587, 0.114));
    if (luminance <= 0.6) return colour;
    float compressed = 0.6 + 0.4 * (1.0 - exp(-(luminance - 0.6) / 0.4));
    return colour * (compressed / luminance);
}

float fogFactor(float distance) {
    if (fogEquation == 1) return clamp(exp(-fogDensity * distance), 0.0, 1.0);
    if (fogEquation == 2) return clamp(exp(-pow(fogDensity * distance, 2.0)), 0.0, 1.0);
    return clamp((fogEnd - distance) / max(fogEnd - fogStart, 1e-4), 0.0, 1.0);
}

void main() {
    vec3 geometricNormal = normalize(worldNormal);
    if (!gl_FrontFacing) geometricNormal = -geometricNormal;
    vec3 toEye = normalize(view - worldPos);
    vec2 uv = texCoord;
    vec3 N = geometricNormal;

    vec3 T = worldTangent - geometricNormal * dot(geometricNormal, worldTangent);
    bool hasFrame = heightScale > 0.0 && dot(T, T) > 1e-10;
    if (hasFrame) {
        T = normalize(T);
        vec3 B = cross(geometricNormal, T);
        if (dot(B, worldBitangent) < 0.0) B = -B;  // mirrored UVs
        mat3 tbn = mat3(T, B, geometricNormal);
        vec3 viewTS = transpose(tbn) * toEye;
        // Relief shrinks below a pixel with distance; stop marching there.
        float reliefFade = 1.0 - smoothstep(25.0, 45.0, length(view - worldPos));
        if (reliefFade > 0.0) uv = reliefTexCoord(texCoord, viewTS, reliefFade);
        vec3 mapped = texture(normalMap, uv).rgb * 2.0 - 1.0;
        N = normalize(tbn * mapped);
    }

    vec3 albedo = texture(colorTexture, uv).rgb;
    vec3 light = ambLightCol * ambLightInt;
    vec3 specular = vec3(0.0);
    float exponent = 1.0 + 127.0 * clamp(shininess, 0.0, 1.0);

    vec3 toSun = -normalize(sunLightDir);
    float sunDiffuse = max(dot(N, toSun), 0.0);
    light += sunLightCol * sunLightInt * sunDiffuse;
    if (sunDiffuse > 0.0) {
        specular += sunLightCol * sunLightInt * specLightInt *
                    pow(max(dot(N, normalize(toSun + toEye)), 0.0), exponent);
    }

    int count = min(numPointLights, MAX_POINT_LIGHTS);
    for (int i = 0; i < count; ++i) {
        vec3 toLight = pointLights[i].Position - worldPos;
        float d = length(toLight);
        vec3 L = toLight / max(d, 1e-4);
        float attenuation = 1.0 / max(pointLights[i].ConstAtt + pointLights[i].LinearAtt * d +
                                          pointLights[i].ExpAtt * d * d, 1e-4);
        light += pointLights[i].Color * pointLights[i].AmbientInt * attenuation;
        float diffuse = max(dot(N, L), 0.0);
        // Faces turned away from the light get nothing, whatever the map says.
        if (diffuse <= 0.0 || dot(geometricNormal, L) <= 0.0) continue;
        // The shadow cube belongs to the first light only.
        float visible = i == 0 ? omniShadow(worldPos, geometricNormal) : 1.0;
        vec3 radiance = pointLights[i].Color * pointLights[i].DiffuseInt * attenuation * visible;
        light += radiance * diffuse;
        specular += radiance * specLightInt *
                    pow(max(dot(N, normalize(L + toEye)), 0.0), exponent);
    }

    vec3 colour = shoulder(albedo * light + specular);
    float fog = fogFactor(length(view - worldPos));
    fragColor = vec4(mix(fogColor.rgb, colour, fog), 1.0);
}
