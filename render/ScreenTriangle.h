#pragma once
// One triangle over the whole target, for the full-screen passes (the glow's,
// the particles' half-size depth and composite): no seam along a diagonal.
// Its corners stand at attribute 0, in clip coordinates, as
// ScreenShader.vert reads them.
#include <GL/glew.h>

class ScreenTriangle {
public:
    void create();
    bool created() const { return vertexArray_ != 0; }
    GLuint vertexArray() const { return vertexArray_; }
    // Its vertex array bound, drawn, and 0 bound again.
    void draw() const;
    void release();

private:
    GLuint vertexArray_ = 0, buffer_ = 0;
};
