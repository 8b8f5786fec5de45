#pragma once
// Everything a frame's picture depends on, to tell when a new frame would look the same.
#include <memory>

#include "model/grid.h"

namespace kadro {

class FrameInputs {
public:
    FrameInputs();
    ~FrameInputs();

    // True when the grid, the view state the drawing reads and the window size are the same
    // as at the last call that returned false. Otherwise remembers them and returns false.
    // Copies the grid only when it changed; allocates only once, when constructed.
    bool unchanged(const ViewState& state, const CellGrid& grid, int windowWidth, int windowHeight);

private:
    struct View {
        float gridWidth, gridHeight, gridDepth, cellSize;
        int32_t currentLayer, currentColour;
        bool gridVisible, eraseMode;
        int windowWidth, windowHeight;
        bool operator==(const View&) const = default;
    };
    bool known_ = false;
    View view_{};
    std::unique_ptr<CellGrid> grid_;
};

}  // namespace kadro
