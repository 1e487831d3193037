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

// The frame's depth pre-pass draws the same positions through the depth-only
// program; the colour passes must land on exactly its depths.
invariant gl_Position;

void main() {
    worldPos = (modelMatrix * vec4(position, 1.0)).xyz;
    // Inverse transpose keeps normals upright under non-uniform scale. The
    // cofactor matrix is that times the determinant, and the normal is
    // normalised per fragment, so only the determinant's sign is kept: three
    // cross products instead of a full inverse per vertex.
    mat3 m = mat3(modelMatrix);
    mat3 normalMatrix = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1]));
    if (dot(m[0], normalMatrix[0]) < 0.0) normalMatrix = -normalMatrix;
    worldNormal = normalMatrix * normal;
    worldTangent = mat3(modelMatrix) * tangent;
    worldBitangent = mat3(modelMatrix) * bitangent;
    texCoord = uv;
    sunShadowCoord = depthMvpMatrix * vec4(position, 1.0);
    gl_Position = currentMatrix * vec4(position, 1.0);
}
