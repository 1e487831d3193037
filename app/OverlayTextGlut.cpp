// The desktop's overlay text: freeglut's bitmap font, as it always was.
#include "app/OverlayText.h"

// GLEW must come before any other GL header.
#include <GL/glew.h>

#include <GL/freeglut.h>

namespace overlay {

void drawBitmapText(const std::vector<Piece>& pieces) {
    // Plain white fixed-function text, whatever program the last pass left bound.
    glUseProgram(0);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const Piece& piece : pieces) {
        glRasterPos2f(piece.x, piece.y);
        glutBitmapString(GLUT_BITMAP_HELVETICA_18,
                         reinterpret_cast<const unsigned char*>(piece.text.c_str()));
    }
}

}  // namespace overlay
