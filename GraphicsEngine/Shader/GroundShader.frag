#version 330 core
// A plainer lit ground (built, not used by the frame): colour texture under
// the ambient term, the sun and one attenuated point light, fogged.
struct PointLight {
    vec3 Color;
    float AmbientInt;
    float DiffuseInt;
    vec3 Position;
    float ConstAtt;
    float LinearAtt;
    float ExpAtt;
};

in vec3 worldPos;
in vec3 worldNormal;
in vec2 texCoord;

uniform sampler2D colorTexture;
uniform vec3 sunLightDir;
uniform vec3 sunLightCol;
uniform float sunLightInt;
uniform vec3 ambLightCol;
uniform float ambLightInt;
uniform int numPointLights;
uniform PointLight pointLights[4];
uniform vec4 fogColor;
uniform float fogStart;
uniform float fogEnd;
uniform vec3 view;

layout(location = 0) out vec4 fragColor;

void main() {
    vec3 N = normalize(worldNormal);
    vec3 light = ambLightCol * ambLightInt +
                 sunLightCol * sunLightInt * max(dot(N, -normalize(sunLightDir)), 0.0);
    if (numPointLights > 0) {
        vec3 toLight = pointLights[0].Position - worldPos;
        float d = length(toLight);
        float attenuation = 1.0 / max(pointLights[0].ConstAtt + pointLights[0].LinearAtt * d +
                                          pointLights[0].ExpAtt * d * d, 1e-4);
        light += pointLights[0].Color * pointLights[0].DiffuseInt * attenuation *
                 max(dot(N, toLight / max(d, 1e-4)), 0.0);
    }
    vec3 colour = texture(colorTexture, texCoord).rgb * light;
    float fog = clamp((fogEnd - length(view - worldPos)) / max(fogEnd - fogStart, 1e-4), 0.0, 1.0);
    fragColor = vec4(mix(fogColor.rgb, colour, fog), 1.0);
}
