#version 330 core
// Sky box: follows the camera; drawn at the far end of the depth range so
// that it is never clipped and everything else lies in front of it.
in vec3 position;
in vec2 uv;
uniform mat4 currentMatrix;
out vec2 texCoord;
void main() {
    texCoord = uv;
    vec4 clip = currentMatrix * vec4(position, 1.0);
    gl_Position = clip.xyww;
    gl_Position.z = clip.w * 0.99999;
}
