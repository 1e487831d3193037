#version 330 core
// Sky box: the texture as it is. No light and no fog: the black fog colour
// would swallow the sky, which lies beyond the fog's end.
in vec2 texCoord;
uniform sampler2D colorTexture;
layout(location = 0) out vec4 fragColor;
void main() {
    fragColor = vec4(texture(colorTexture, texCoord).rgb, 1.0);
}
