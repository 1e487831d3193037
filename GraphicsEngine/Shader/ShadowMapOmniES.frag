#version 300 es
// Shadow cube without a geometry stage: as on the desktop, the rasteriser's
// depth is all the face keeps, so nothing is written here.
precision highp float;
void main() {
}
