#pragma once
// The cube model: the fixed grid of cells and the one record of view and editing state,
// with the layout pass that places every cell on the drawing area.
#include <array>
#include <cstdint>

namespace kadro {

// Cells per side of the fixed grid; the size in use is at most kGridSide - 1.
inline constexpr int kGridSide = 21;
inline constexpr int kMinSize = 2;
inline constexpr int kMaxSize = 20;

// The colours a cell can hold; a cell holding 0 is empty.
enum class ColourCode : int32_t { Yellow = 1, Lime = 2, Aqua = 3, Fuchsia = 4, Red = 5 };
inline constexpr int kColourCount = 5;

// Every field is a single float, the indices and the colour code included.
struct GridCell {
    float column;
    float row;
    float layer;
    float screenX;  // anchor on the drawing area, pixels
    float screenY;
    float colour;  // a ColourCode, always a whole number 0..5
};

// Indexed [column][row][layer]; column grows right, row grows up, layer grows away.
struct CellGrid {
    GridCell cells[kGridSide][kGridSide][kGridSide];

    GridCell& at(int column, int row, int layer) { return cells[column][row][layer]; }
    const GridCell& at(int column, int row, int layer) const { return cells[column][row][layer]; }
    // True for indices that name a cell of the fixed grid.
    static bool contains(int column, int row, int layer) {
        return column >= 0 && column < kGridSide && row >= 0 && row < kGridSide && layer >= 0 &&
               layer < kGridSide;
    }
};

// Defaults are the values before the main window exists.
struct ViewState {
    float gridWidth = 20.0f;
    float gridHeight = 20.0f;
    float gridDepth = 20.0f;
    float cellSize = 0.0f;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t currentLayer = 0;
    int32_t currentColour = 1;
    bool gridVisible = true;
    bool eraseMode = false;
    std::array<int32_t, kColourCount> colourCounts{};  // entry i counts code i + 1
    int32_t cycleTicks = 0;
    int32_t cyclePhase = 0;
    int32_t introCounter = 0;

    int32_t& countOf(ColourCode code) { return colourCounts[static_cast<int>(code) - 1]; }
    int32_t countOf(ColourCode code) const { return colourCounts[static_cast<int>(code) - 1]; }
};

// The zoom scroll bar's position once the grid reset has run; it never changes afterwards.
inline constexpr int kZoomPositionAfterReset = 10;

// Sets the three extents from the size scroll bar (2..20) and the cell size from it and the
// zoom scroll bar (1..10): 200 / size / (11 - zoom) * 1.3, in double, stored as one float.
void updateExtents(ViewState& state, int sizePosition, int zoomPosition);

// Screen anchor of a cell in any layer, from the origin and the stored cell size.
float anchorX(const ViewState& state, int column);
float anchorY(const ViewState& state, int row);

// The full reset: origin (10, 400), extents, layer 1, every cell re-indexed, anchored and
// emptied, the cycle phase advanced once per cell. The caller then shows currentLayer and
// moves the zoom scroll bar to kZoomPositionAfterReset.
void resetGrid(ViewState& state, CellGrid& grid, int sizePosition, int zoomPosition);

// The layout pass after a size change: extents, indices and anchors of every cell (colours
// stay), layer 1. The caller shows currentLayer and gridDepth.
void layOutForSize(ViewState& state, CellGrid& grid, int sizePosition, int zoomPosition);

}  // namespace kadro
