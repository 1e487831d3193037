#version 330 core
// Flat planes: world position and normal, no tangent frame.
in vec3 position;
in vec3 normal;
in vec2 uv;
uniform mat4 currentMatrix;
uniform mat4 modelMatrix;
out vec3 worldPos;
out vec3 worldNormal;
out vec2 texCoord;
void main() {
    worldPos = (modelMatrix * vec4(position, 1.0)).xyz;
    worldNormal = mat3(modelMatrix) * normal;
    texCoord = uv;
    gl_Position = currentMatrix * vec4(position, 1.0);
}
