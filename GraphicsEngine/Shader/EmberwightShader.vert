#version 330 core
// The effigy: world and model-space positions for the fire animation.
in vec3 position;
in vec3 normal;
in vec2 uv;
uniform mat4 currentMatrix;
uniform mat4 modelMatrix;
out vec3 worldPos;
out vec3 modelPos;
out vec3 worldNormal;
out vec2 texCoord;
// The frame's depth pre-pass draws the same positions through the depth-only
// program; the colour passes must land on exactly its depths.
invariant gl_Position;

void main() {
    worldPos = (modelMatrix * vec4(position, 1.0)).xyz;
    modelPos = position;
    worldNormal = mat3(modelMatrix) * normal;
    texCoord = uv;
    gl_Position = currentMatrix * vec4(position, 1.0);
}
