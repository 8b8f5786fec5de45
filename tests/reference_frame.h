#pragma once
// The reference frame: the drawing area cleared, the visible block drawn from the back layer
// forward in the oblique projection, and the preview cube of the current colour, rectangle by
// rectangle in the order the toolkit would draw them. The program's FrameRenderer is held to it
// pixel for pixel; only tests and the benchmark use it.
#include "model/grid.h"
#include "model/projection.h"
#include "render/canvas.h"
#include "render/frame_look.h"

namespace kadro::reference {

// `windowWidth` and `windowHeight` are the main window's current size, which bounds the clearing
// rectangle. Painter is anything with setPenColour, setBrushColour, setBrushStyle and Rectangle.
template <typename Painter>
void drawFrameByRectangles(Painter& painter, const ViewState& state, const CellGrid& grid, int windowWidth,
                           int windowHeight) {
    painter.setPenColour(colours::black);
    painter.setBrushColour(colours::black);
    painter.Rectangle(0, 0, windowWidth, windowHeight);

    const double size = state.cellSize;
    const int squares = squareCount(size * 0.5);
    // Float counters against the float extents, as the design states the loops.
    for (float layer = state.gridDepth; layer >= static_cast<float>(state.currentLayer); layer -= 1.0f) {
        for (float column = 0.0f; column < state.gridWidth; column += 1.0f) {
            for (float row = 0.0f; row < state.gridHeight; row += 1.0f) {
                const GridCell& cell =
                    grid.at(static_cast<int>(column), static_cast<int>(row), static_cast<int>(layer));
                const Pixel fill = colourOfCode(static_cast<int>(cell.colour));
                painter.setBrushColour(fill);
                painter.setBrushStyle(BrushStyle::Solid);
                painter.setPenColour(fill);
                auto [x, y] = stackAnchor(cell, size);
                for (int step = 0; step < squares; ++step) {
                    ++x;
                    --y;
                    if (cell.colour != 0.0f) {
                        painter.Rectangle(x, y, static_cast<int32_t>(x + size), static_cast<int32_t>(y - size));
                    }
                }
                if (state.gridVisible && cell.colour == 0.0f) {
                    const GridLook look = gridLook(isEven(column), isEven(layer));
                    painter.setPenColour(look.pen);
                    painter.setBrushColour(look.brush);
                    painter.setBrushStyle(BrushStyle::DiagonalCross);
                    painter.Rectangle(x, y, static_cast<int32_t>(x + size), static_cast<int32_t>(y - size));
                    painter.setBrushStyle(BrushStyle::Solid);
                }
            }
        }
    }

    const PreviewStack preview = previewStack(size);
    const Pixel previewColour = colourOfCode(state.currentColour);
    int32_t x = kPreviewX, y = kPreviewY;
    for (int step = 0; step < preview.squares; ++step) {
        ++x;
        --y;
        painter.setBrushColour(previewColour);
        painter.setPenColour(previewColour);
        painter.setBrushStyle(BrushStyle::Solid);
        if (state.eraseMode) {
            painter.setBrushColour(previewEraseBrush);
            painter.setPenColour(previewErasePen);
            painter.setBrushStyle(BrushStyle::DiagonalCross);
        }
        painter.Rectangle(x, y, static_cast<int32_t>(x + preview.side), static_cast<int32_t>(y - preview.side));
        painter.setBrushStyle(BrushStyle::Solid);
    }
}

}  // namespace kadro::reference
