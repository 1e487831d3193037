#version 330 core
// Flat planes: texture under the ambient term and the sun, lit from both
// sides, fogged.
in vec3 worldPos;
in vec3 worldNormal;
in vec2 texCoord;
uniform sampler2D colorTexture;
uniform vec3 sunLightDir;
uniform vec3 sunLightCol;
uniform float sunLightInt;
uniform vec3 ambLightCol;
uniform float ambLightInt;
uniform vec4 fogColor;
uniform float fogStart;
uniform float fogEnd;
uniform vec3 view;
layout(location = 0) out vec4 fragColor;
void main() {
    vec3 N = normalize(worldNormal);
    float sun = abs(dot(N, normalize(sunLightDir)));
    vec3 colour = texture(colorTexture, texCoord).rgb *
                  (ambLightCol * ambLightInt + sunLightCol * sunLightInt * sun);
    float fog = clamp((fogEnd - length(view - worldPos)) / max(fogEnd - fogStart, 1e-4), 0.0, 1.0);
    fragColor = vec4(mix(fogColor.rgb, colour, fog), 1.0);
}
