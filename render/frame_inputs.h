#pragma once
// Everything a frame's picture depends on, to tell when a new frame would look the same, and
// where it can differ: the view state the drawing reads, the window size and the cells. The
// caller keeps a count of the changes to the cells (bumped by everything that may write the
// cells or their layout); while it stands still the cells are not compared. Builds with
// assertions check that no change went uncounted.
#include <cstdint>
#include <memory>

#include "model/grid.h"
#include "render/canvas.h"
#include "render/frame_look.h"

namespace kadro {

class FrameInputs {
public:
    FrameInputs();
    ~FrameInputs();

    // True when the view, the window size and the cells are the same as at the last call that
    // returned false; otherwise remembers them and returns false. The cells are compared only
    // when cellChanges differs from the last call's. Allocates only once, when constructed.
    bool unchanged(const ViewState& state, const CellGrid& grid, uint64_t cellChanges,
                   int windowWidth, int windowHeight, Look look = Look::Designed);

    // After unchanged() returned false: the pixels where the frame of the new inputs can differ
    // from the frame of the ones before. With only cells changed, each cell paints within its
    // cube's box, so only the boxes of the changed cells (where they were and where they are)
    // can differ; otherwise the whole drawing area.
    PixelRect changedArea() const { return area_; }

private:
    struct View {
        float gridWidth, gridHeight, gridDepth, cellSize;
        int32_t currentLayer, currentColour;
        bool gridVisible, eraseMode;
        int windowWidth, windowHeight;
        Look look;
        bool operator==(const View&) const = default;
    };
    // Takes over the cells that differ from `grid`; false when none did. When bounding, widens
    // area_ by their cubes' boxes, before and after.
    enum class Area { Bounded, Everywhere };
    bool takeChangedCells(const CellGrid& grid, double cellSize, Area area);

    bool known_ = false;
    View view_{};
    uint64_t cellChanges_ = 0;
    std::unique_ptr<CellGrid> grid_;  // the cells at the last frame
    PixelRect area_{};
};

}  // namespace kadro
