#version 330 core
// Shadow cube: the rasteriser's projected depth of each face is what the lit
// programs compare against (they rebuild it from the light-to-point vector's
// largest axis), so this stage writes no depth of its own and the depth test
// can run before it.
layout(location = 0) out vec4 fragColor;
void main() {
    fragColor = vec4(gl_FragCoord.z);  // no colour buffer attached; written for completeness
}
