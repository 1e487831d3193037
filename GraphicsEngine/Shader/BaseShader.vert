#version 330 core
// Lit surfaces: world-space position and tangent frame for the fragment stage.
in vec3 position;
in vec3 normal;
in vec2 uv;
in vec3 tangent;
in vec3 bitangent;

uniform mat4 currentMatrix;   // projection * view * model
uniform mat4 modelMatrix;
uniform mat4 depthMvpMatrix;  // sun shadow-map coordinates

out vec3 worldPos;
out vec3 worldNormal;
out vec3 worldTangent;
out vec3 worldBitangent;
out vec2 texCoord;
out vec4 sunShadowCoord;

void main() {
    worldPos = (modelMatrix * vec4(position, 1.0)).xyz;
    // Inverse transpose keeps normals upright under non-uniform scale.
    mat3 normalMatrix = transpose(inverse(mat3(modelMatrix)));
    worldNormal = normalMatrix * normal;
    worldTangent = mat3(modelMatrix) * tangent;
    worldBitangent = mat3(modelMatrix) * bitangent;
    texCoord = uv;
    sunShadowCoord = depthMvpMatrix * vec4(position, 1.0);
    gl_Position = currentMatrix * vec4(position, 1.0);
}
