#include "app/Game.h"

void Game::renderFrame(double elapsed) {
    (void)elapsed;
    // Scene passes (object updates, shadow cube, frustum, sky, ground, culled
    // objects, particle systems) are drawn here, before the overlay.

    engine.drawOverlay();
}
