#pragma once
// Undo and redo of the user's edits to the cells' colours, kept in memory only.
//
// Each step is one user action that changed at least one colour: a press on the drawing area,
// CLEAR, FILL, a pasted design, an operation on the whole model or a drawing tool's action.
// Steps store what changed, not copies of the grid: a press takes 5 bytes and its index 4,
// CLEAR or FILL of a full 20-block about 4 KB (the colours before, two cells a byte), a block
// painted at once (a paste, an operation, a tool) about 8 KB at size 20 (before and after), or
// a layer's worth for a tool. Undo and redo
// touch the colours only, never the size, the layer, the current colour or the modes, and they
// restore cells wherever they lie, also behind cut-away layers or beyond a smaller size.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "model/grid.h"
#include "model/step_log.h"
#include "model/visible_block.h"

namespace kadro {

// What an edit throws when there is no memory to record it; the edit has then changed nothing.
class NotEnoughMemory : public std::runtime_error {
public:
    NotEnoughMemory()
        : std::runtime_error("Not enough memory to record this change; nothing was changed.") {}
};

// Whether an edit is kept as a step: not while the start-up animation runs, whose next pass
// would overwrite it anyway.
enum class Recording { Off, On };

// What made a block painted at once: a pasted design, or what the caller names. The names are
// kept in the steps, so their values stay as they are; a new one goes at the end.
enum class StepName : uint8_t {
    Paste = 0,
    // The whole model's operations.
    TurnRightToFront,
    TurnLeftToFront,
    TipTopToFront,
    TipBottomToFront,
    Flip,
    Shift,
    CopyLayer,
    Recolour,
    // The drawing tools, on one layer.
    MirroredPress,
    BrushStroke,
    Line,
    Rectangle,
    FloodFill,
    // The tools that act on the cube under the pointer.
    Attach,
    Colour,
};
// The step's name as an undo says it: "paste", "turn", "tip", "flip", "shift", "layer copy",
// "colour swap", "mirrored click", "brush stroke", "line", "rectangle", "flood fill", "attach",
// "colour".
const char* stepWords(StepName name);

// What one step did, as a screen reader says it: a press on one cell (its place and its colours
// before and after), CLEAR, FILL with a colour, or a block painted at once and what made it.
struct StepSummary {
    enum class Kind { Press, Clear, Fill, Paste, Operation } kind;
    int column = 0, row = 0, layer = 0;  // the pressed cell
    uint8_t before = 0, after = 0;       // its colour codes; `after` is FILL's colour too
    StepName name = StepName::Paste;     // a block painted at once: what made it
};

class EditHistory {
public:
    EditHistory() : sizes_(kMaxSteps + 1) {}

    static constexpr size_t kMaxSteps = 10000;
    static constexpr size_t kMaxBytes = size_t{16} << 20;

    // A press on the drawing area, exactly as editAt, recorded when it changed a colour and
    // recording is on. Returns whether a step was recorded. While recording, every edit finds
    // its memory before it changes a cell: when there is none, it throws NotEnoughMemory and has
    // changed nothing, neither the cells nor what can be undone and redone.
    bool press(const ViewState& state, CellGrid& grid, int x, int y,
               Recording recording = Recording::On);
    // CLEAR and FILL, exactly as clearVisibleBlock and fillVisibleBlock, recorded likewise.
    bool clear(const ViewState& state, CellGrid& grid, Recording recording = Recording::On);
    bool fill(const ViewState& state, CellGrid& grid, Recording recording = Recording::On);
    // A block that lies inside the grid painted at once: its cells take codes[i] (each 0..5, in
    // forEachCell's order), recorded as one step when a colour changed, under `name` (a paste
    // unless named otherwise; nextUndo() gives it back).
    bool paint(const VisibleBlock& block, CellGrid& grid, const uint8_t* codes,
               Recording recording = Recording::On, StepName name = StepName::Paste);
    // A block that has already been painted, as one step from its colours `before` (in
    // forEachCell's order) to what it holds now; nothing when they are the same. When there is no
    // memory for the step, the block gets its colours before back and NotEnoughMemory is thrown.
    bool record(const VisibleBlock& block, CellGrid& grid, const uint8_t* before, StepName name);

    // Take back the latest step not yet undone, or do again the latest one undone. Return false,
    // changing nothing, when there is none.
    bool undo(CellGrid& grid);
    bool redo(CellGrid& grid);

    // The step that undo() would take back and the one that redo() would do again; nothing
    // when there is none.
    std::optional<StepSummary> nextUndo() const;
    std::optional<StepSummary> nextRedo() const;

    // Drops every step: history starts again from the grid as it is.
    void forget();

    size_t undoSteps() const { return current_; }
    // Steps recorded since the history began, whether still kept or not.
    size_t recordedSteps() const { return recorded_; }
    // Steps dropped, oldest first, to keep within the bounds since the last forget().
    size_t droppedSteps() const { return dropped_; }
    size_t redoSteps() const { return sizes_.size() - current_; }
    // Memory the steps hold: their bytes and their index, within kMaxBytes.
    size_t bytes() const { return log_.size() + sizes_.size() * sizeof(uint32_t); }
    // Memory the steps' bytes take: within a few pages of bytes().
    size_t heldBytes() const { return log_.heldBytes() + sizes_.size() * sizeof(uint32_t); }

private:
    StepSummary summaryAt(size_t offset, size_t size) const;
    bool paintBlock(const ViewState& state, CellGrid& grid, float colour);
    // Takes a step of `size` bytes, already appended to the log after dropping what could be
    // redone; then drops the oldest steps until the bounds hold.
    void commit(size_t size);
    void dropRedo();
    // Finds the memory for a step of `size` bytes before anything changes (NotEnoughMemory).
    void reserveStep(size_t size);
    // Drops what could be redone and begins a block step in step_, its kind and block written.
    uint8_t* newBlockStep(uint8_t kind, const VisibleBlock& block);
    // Reads the block's colours into scratch_; whether any differs from other's.
    bool readBlock(const VisibleBlock& block, CellGrid& grid, const uint8_t* other);
    // Writes and takes a painted block's step, its memory reserved: the colours before and after.
    void commitPainted(const VisibleBlock& block, StepName name, const uint8_t* before,
                       const uint8_t* after);

    // The steps' bytes, oldest first.
    StepLog log_;
    StepSizes sizes_;       // bytes of each step, oldest first
    size_t current_ = 0;    // steps that can be undone; those after it can be redone
    size_t undoBytes_ = 0;  // bytes of those steps
    size_t dropped_ = 0;
    size_t recorded_ = 0;
    // The colours a block held, a byte a cell, while its step is made.
    std::array<uint8_t, kGridSide * kGridSide * kGridSide> scratch_{};
    // One step while it is made or applied: the largest is a design over the whole grid.
    std::array<uint8_t, 6 + 2 * ((kGridSide * kGridSide * kGridSide + 1) / 2)> step_{};
};

}  // namespace kadro
