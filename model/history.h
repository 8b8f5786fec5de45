#pragma once
// Undo and redo of the user's edits to the cells' colours, kept in memory only.
//
// Each step is one user action that changed at least one colour: a press on the drawing area,
// CLEAR, FILL or a pasted design. Steps store what changed, not copies of the grid: a press
// takes 9 bytes, CLEAR or FILL of a full 20-block about 4 KB (the colours before, two cells a
// byte), a pasted size-20 design about 8 KB (before and after). Undo and redo
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
    NotEnoughMemory() : std::runtime_error("Not enough memory to record this change; nothing was changed.") {}
};

// Whether an edit is kept as a step: not while the start-up animation runs, whose next pass
// would overwrite it anyway.
enum class Recording { Off, On };

// What one step did, as a screen reader says it: a press on one cell (its place and its colours
// before and after), CLEAR, FILL with a colour, or a pasted design.
struct StepSummary {
    enum class Kind { Press, Clear, Fill, Paste, Operation } kind;
    int column = 0, row = 0, layer = 0;  // the pressed cell
    uint8_t before = 0, after = 0;        // its colour codes; `after` is FILL's colour too
    uint8_t operation = 0;                // what the caller of paint() named the step
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
    bool press(const ViewState& state, CellGrid& grid, int x, int y, Recording recording = Recording::On);
    // CLEAR and FILL, exactly as clearVisibleBlock and fillVisibleBlock, recorded likewise.
    bool clear(const ViewState& state, CellGrid& grid, Recording recording = Recording::On);
    bool fill(const ViewState& state, CellGrid& grid, Recording recording = Recording::On);
    // A design pasted over a block that lies inside the grid: its cells take codes[i] (each
    // 0..5, in forEachCell's order), recorded as one step when a colour changed. A non-zero
    // `operation` names the step as something other than a paste (nextUndo() gives it back).
    bool paint(const VisibleBlock& block, CellGrid& grid, const uint8_t* codes, Recording recording = Recording::On,
               uint8_t operation = 0);

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

    // The steps' bytes, oldest first.
    StepLog log_;
    StepSizes sizes_;  // bytes of each step, oldest first
    size_t current_ = 0;          // steps that can be undone; those after it can be redone
    size_t undoBytes_ = 0;        // bytes of those steps
    size_t dropped_ = 0;
    size_t recorded_ = 0;
    // The colours a block held, a byte a cell, while its step is made.
    std::array<uint8_t, kGridSide * kGridSide * kGridSide> scratch_{};
    // One step while it is made or applied: the largest is a design over the whole grid.
    std::array<uint8_t, 6 + 2 * ((kGridSide * kGridSide * kGridSide + 1) / 2)> step_{};
};

}  // namespace kadro
