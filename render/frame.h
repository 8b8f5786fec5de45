#pragma once
// The picture of one frame: the drawing area cleared, the visible block drawn from the back
// layer forward in the oblique projection, and the preview cube of the current colour.
#include "model/grid.h"
#include "render/canvas.h"

namespace kadro {

// Drawing area of the main window, in pixels.
inline constexpr int kDrawingWidth = 761;
inline constexpr int kDrawingHeight = 417;

// Where the preview cube is stacked from.
inline constexpr int kPreviewX = 360;
inline constexpr int kPreviewY = 400;

// Draws the frame rectangle by rectangle, in the order the toolkit would. This is the reference
// that the program's FrameRenderer (render/fast_frame.h) is held to, pixel for pixel. `windowWidth` and
// `windowHeight` are the main window's current size, which bounds the clearing rectangle.
// Painter is anything with setPenColour, setBrushColour, setBrushStyle and Rectangle.
template <typename Painter>
void drawFrameByRectangles(Painter& painter, const ViewState& state, const CellGrid& grid,
                           int windowWidth, int windowHeight);

// Parity as the drawing tests it on a whole number held in a float.
inline bool isEven(float value) {
    const double half = static_cast<double>(value) * 0.5;
    return static_cast<double>(static_cast<int32_t>(half)) == half;
}

template <typename Painter>
void drawFrameByRectangles(Painter& painter, const ViewState& state, const CellGrid& grid,
                           int windowWidth, int windowHeight) {
    painter.setPenColour(colours::black);
    painter.setBrushColour(colours::black);
    painter.Rectangle(0, 0, windowWidth, windowHeight);

    const double size = state.cellSize;
    const double half = size * 0.5;
    for (float layer = state.gridDepth; layer >= static_cast<float>(state.currentLayer);
         layer -= 1.0f) {
        for (float column = 0.0f; column < state.gridWidth; column += 1.0f) {
            for (float row = 0.0f; row < state.gridHeight; row += 1.0f) {
                const GridCell& cell = grid.at(static_cast<int>(column), static_cast<int>(row),
                                               static_cast<int>(layer));
                const Pixel fill = colourOfCode(static_cast<int>(cell.colour));
                painter.setBrushColour(fill);
                painter.setBrushStyle(BrushStyle::Solid);
                painter.setPenColour(fill);
                auto x = static_cast<int32_t>(cell.screenX + cell.layer * half);
                auto y = static_cast<int32_t>(cell.screenY - (cell.layer - 1.0) * half - size);
                for (float step = 0.0f; half > step; step += 1.0f) {
                    ++x;
                    --y;
                    if (cell.colour != 0.0f) {
                        painter.Rectangle(x, y, static_cast<int32_t>(x + size),
                                          static_cast<int32_t>(y - size));
                    }
                }
                if (state.gridVisible && cell.colour == 0.0f) {
                    const bool evenColumn = isEven(column);
                    painter.setPenColour(evenColumn ? colours::white : colours::grey);
                    painter.setBrushColour(evenColumn ? colours::grey : colours::navy);
                    painter.setBrushStyle(BrushStyle::DiagonalCross);
                    if (isEven(layer)) painter.setPenColour(colours::white);
                    painter.Rectangle(x, y, static_cast<int32_t>(x + size),
                                      static_cast<int32_t>(y - size));
                    painter.setBrushStyle(BrushStyle::Solid);
                }
            }
        }
    }

    const int divisor = size > 100 ? 2 : 1;
    const double previewSize = size / divisor;
    const Pixel previewColour = colourOfCode(state.currentColour);
    int32_t x = kPreviewX, y = kPreviewY;
    for (float step = 0.0f; half / divisor > step; step += 1.0f) {
        ++x;
        --y;
        painter.setBrushColour(previewColour);
        painter.setPenColour(previewColour);
        painter.setBrushStyle(BrushStyle::Solid);
        if (state.eraseMode) {
            painter.setBrushColour(colours::white);
            painter.setPenColour(colours::navy);
            painter.setBrushStyle(BrushStyle::DiagonalCross);
        }
        painter.Rectangle(x, y, static_cast<int32_t>(x + previewSize),
                          static_cast<int32_t>(y - previewSize));
        painter.setBrushStyle(BrushStyle::Solid);
    }
}

}  // namespace kadro
