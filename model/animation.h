#pragma once
// The start-up animation: an intro count, then 13 frames of diagonal colour stripes moving
// through the whole grid.
#include "model/grid.h"

namespace kadro {

inline constexpr int32_t kIntroEnd = 40;
inline constexpr int32_t kCycleFrames = 13;

// True once the last stripe frame has been painted: from then on only the user changes colours.
inline bool animationFinished(const ViewState& state) { return state.cycleTicks >= kCycleFrames; }

// One tick of the intro timer. Returns whether the intro timer stays enabled; the caller
// shows introCounter on the intro progress bar.
bool introTick(ViewState& state);

// The first step of every frame. While the intro runs nothing is painted into the grid; on the
// first 13 frames after it, every cell gets the anchor of the moment and a stripe colour that
// starts from cyclePhase. Every call advances cyclePhase through 0..5.
void colourCycleStep(ViewState& state, CellGrid& grid, bool introRunning);

}  // namespace kadro
