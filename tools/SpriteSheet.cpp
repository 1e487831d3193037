#include "tools/SpriteSheet.h"

#include "tools/Field.h"

Image spriteSheet(int rows, int columns, int cellSize, int frames,
                  const std::function<glm::vec4(int frame, glm::vec2 p)>& draw) {
    Image sheet(columns * cellSize, rows * cellSize, glm::vec4(0.0f));
    parallelRows(sheet.height(), [&](int y) {
        const int row = y / cellSize;
        const float py = 1.0f - (y - row * cellSize + 0.5f) / cellSize * 2.0f;
        for (int x = 0; x < sheet.width(); ++x) {
            const int column = x / cellSize;
            const int frame = row * columns + column;
            if (frame >= frames) continue;
            const float px = (x - column * cellSize + 0.5f) / cellSize * 2.0f - 1.0f;
            sheet.at(x, y) = draw(frame, glm::vec2(px, py));
        }
    });
    return sheet;
}
