#pragma once
// Operations on the whole block at the size in use (columns and rows 0 to N-1, layers 1 to N,
// cut away or not; cells beyond the size are never read or written), each a function from the
// block's colours to new colours that the history records as one step.
//
// Coordinates: column c (0 on the left), row r (0 at the bottom), layer l (1 in front).
#include <cstdint>
#include <optional>

#include "model/design_text.h"
#include "model/grid.h"
#include "model/history.h"

namespace kadro {

// The block of `size` (2..20) as it is now.
Design blockOf(const CellGrid& grid, int size);

// The quarter turns and the flip: where cell (c, r, l) of a block of size N goes.
enum class Turn : uint8_t {
    RightToFront,   // (c, r, l) goes to (l-1, r, N-c)
    LeftToFront,    // (c, r, l) goes to (N-l, r, c+1)
    TopToFront,     // (c, r, l) goes to (c, l-1, N-r)
    BottomToFront,  // (c, r, l) goes to (c, N-l, r+1)
    Flip,           // (c, r, l) goes to (N-1-c, r, l)
};
// What the history calls a turn's step.
StepName stepName(Turn turn);

// One of the five quarter turns and flips above.
Design turned(const Design& block, Turn turn);

enum class Side { Left, Right, Bottom, Top, Back, Front };
// Every cube one cell towards `side` (Back: one layer further back); nothing when a cube lies
// against that side, since it would be pushed out of the block.
std::optional<Design> shifted(const Design& block, Side side);

// Layer `from`'s cells, empty ones included, written over layer `to` (both within 1..size).
Design layerCopied(const Design& block, int from, int to);

// Every cube of colour code `from` takes code `to`.
Design recoloured(const Design& block, uint8_t from, uint8_t to);

}  // namespace kadro
