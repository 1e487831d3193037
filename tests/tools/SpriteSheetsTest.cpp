#include <gtest/gtest.h>

#include "support/ResourceFiles.h"

using resources::ImagePtr;
using resources::pixelAt;

namespace {

struct Sheet {
    const char* name;
    int rows;
    int columns;
    int frames;
    bool alpha;  // alpha-blended (density in alpha) or additive on black
};

// The particle bundle's sheets and how the emitters cut them.
const Sheet kSheets[] = {
    {"smoke45_alpha.tga", 7, 7, 46, true},
    {"flames3.tga", 6, 6, 36, false},
    {"flames2.tga", 4, 4, 16, false},
    {"particle.tga", 1, 1, 1, false},
};

// How much a cell shows: summed alpha, or summed colour on black.
long cellContent(FIBITMAP* image, const Sheet& sheet, int cellSize, int frame) {
    const int x0 = (frame % sheet.columns) * cellSize;
    const int y0 = (frame / sheet.columns) * cellSize;
    long sum = 0;
    for (int y = y0; y < y0 + cellSize; ++y)
        for (int x = x0; x < x0 + cellSize; ++x) {
            const auto p = pixelAt(image, x, y);
            sum += sheet.alpha ? p.a : p.r + p.g + p.b;
        }
    return sum;
}

// The largest value on the outermost ring of pixels of a cell.
int borderPeak(FIBITMAP* image, const Sheet& sheet, int cellSize, int frame) {
    const int x0 = (frame % sheet.columns) * cellSize;
    const int y0 = (frame / sheet.columns) * cellSize;
    int peak = 0;
    for (int i = 0; i < cellSize; ++i)
        for (const auto& [x, y] : {std::pair{x0 + i, y0}, std::pair{x0 + i, y0 + cellSize - 1},
                                   std::pair{x0, y0 + i}, std::pair{x0 + cellSize - 1, y0 + i}}) {
            const auto p = pixelAt(image, x, y);
            peak = std::max(peak, sheet.alpha ? p.a : std::max({p.r, p.g, p.b}));
        }
    return peak;
}

}  // namespace

TEST(SpriteSheets, SizesDivideIntoWholeSquareCells) {
    for (const Sheet& sheet : kSheets) {
        SCOPED_TRACE(sheet.name);
        ImagePtr image = resources::loadImage(resources::texturePath(sheet.name));
        ASSERT_TRUE(image);
        const int w = static_cast<int>(FreeImage_GetWidth(image.get()));
        const int h = static_cast<int>(FreeImage_GetHeight(image.get()));
        EXPECT_EQ(w % sheet.columns, 0);
        EXPECT_EQ(h % sheet.rows, 0);
        EXPECT_EQ(w / sheet.columns, h / sheet.rows);
        EXPECT_GE(w / sheet.columns, 64);
        EXPECT_EQ(FreeImage_GetBPP(image.get()), sheet.alpha ? 32u : 24u);
    }
}

TEST(SpriteSheets, EveryUsedFrameShowsSomethingAndUnusedCellsAreEmpty) {
    for (const Sheet& sheet : kSheets) {
        SCOPED_TRACE(sheet.name);
        ImagePtr image = resources::loadImage(resources::texturePath(sheet.name));
        ASSERT_TRUE(image);
        const int cell = static_cast<int>(FreeImage_GetWidth(image.get())) / sheet.columns;
        for (int frame = 0; frame < sheet.rows * sheet.columns; ++frame) {
            SCOPED_TRACE(frame);
            const long content = cellContent(image.get(), sheet, cell, frame);
            if (frame < sheet.frames) {
                EXPECT_GT(content, 255L * cell);
            } else {
                EXPECT_EQ(content, 0);
            }
        }
    }
}

TEST(SpriteSheets, CellsStayClearOfTheirBordersSoFramesDoNotBleed) {
    for (const Sheet& sheet : kSheets) {
        SCOPED_TRACE(sheet.name);
        ImagePtr image = resources::loadImage(resources::texturePath(sheet.name));
        ASSERT_TRUE(image);
        const int cell = static_cast<int>(FreeImage_GetWidth(image.get())) / sheet.columns;
        for (int frame = 0; frame < sheet.frames; ++frame)
            EXPECT_LE(borderPeak(image.get(), sheet, cell, frame), 2);
    }
}

TEST(SpriteSheets, SmokeGrowsAndThins) {
    const Sheet& smoke = kSheets[0];
    ImagePtr image = resources::loadImage(resources::texturePath(smoke.name));
    ASSERT_TRUE(image);
    const int cell = static_cast<int>(FreeImage_GetWidth(image.get())) / smoke.columns;
    // Covered area (alpha above a trace) grows from the first frames to the middle;
    // the peak density falls toward the end.
    auto covered = [&](int frame) {
        int n = 0;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x)
                n += pixelAt(image.get(), (frame % 7) * cell + x, (frame / 7) * cell + y).a > 10;
        return n;
    };
    auto peak = [&](int frame) {
        int p = 0;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x)
                p = std::max(
                    p, pixelAt(image.get(), (frame % 7) * cell + x, (frame / 7) * cell + y).a);
        return p;
    };
    EXPECT_LT(covered(3) * 2, covered(25));
    EXPECT_GT(peak(10), peak(44) * 2);
}

TEST(SpriteSheets, FlamesRiseFromTheBottomOfTheirCells) {
    for (const Sheet& sheet : {kSheets[1], kSheets[2]}) {
        SCOPED_TRACE(sheet.name);
        ImagePtr image = resources::loadImage(resources::texturePath(sheet.name));
        ASSERT_TRUE(image);
        const int cell = static_cast<int>(FreeImage_GetWidth(image.get())) / sheet.columns;
        long lower = 0, upper = 0;
        for (int frame = 0; frame < sheet.frames; ++frame)
            for (int y = 0; y < cell; ++y)
                for (int x = 0; x < cell; ++x) {
                    const auto p = pixelAt(image.get(), (frame % sheet.columns) * cell + x,
                                           (frame / sheet.columns) * cell + y);
                    (y < cell / 2 ? upper : lower) += p.r + p.g + p.b;
                }
        // Flame bodies sit low in the cell, their tips reach up: the top half holds less light.
        EXPECT_GT(lower, upper);
        EXPECT_GT(upper, 0);
    }
}
