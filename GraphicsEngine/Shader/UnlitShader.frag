#version 330 core
// --unlit: a lit or effigy surface as its colour texture alone, no light,
// relief, shadow or fog. The floor the lit shading's cost is measured from.
in vec2 texCoord;
uniform sampler2D colorTexture;
layout(location = 0) out vec4 fragColor;
void main() {
    fragColor = vec4(texture(colorTexture, texCoord).rgb, 1.0);
}
