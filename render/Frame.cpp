#include "app/Game.h"

void Game::renderFrame(double elapsed) { (void)elapsed; }
