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
#include <deque>
#include <vector>

#include "model/grid.h"
#include "model/visible_block.h"

namespace kadro {

// Whether an edit is kept as a step: not while the start-up animation runs, whose next pass
// would overwrite it anyway.
enum class Recording { Off, On };

class EditHistory {
public:
    static constexpr size_t kMaxSteps = 10000;
    static constexpr size_t kMaxBytes = size_t{16} << 20;

    // A press on the drawing area, exactly as editAt, recorded when it changed a colour and
    // recording is on. Returns whether a step was recorded.
    bool press(const ViewState& state, CellGrid& grid, int x, int y, Recording recording = Recording::On);
    // CLEAR and FILL, exactly as clearVisibleBlock and fillVisibleBlock, recorded likewise.
    bool clear(const ViewState& state, CellGrid& grid, Recording recording = Recording::On);
    bool fill(const ViewState& state, CellGrid& grid, Recording recording = Recording::On);
    // A design pasted over a block that lies inside the grid: its cells take codes[i] (each
    // 0..5, in forEachCell's order), recorded as one step when a colour changed.
    bool paint(const VisibleBlock& block, CellGrid& grid, const uint8_t* codes, Recording recording = Recording::On);

    // Take back the latest step not yet undone, or do again the latest one undone. Return false,
    // changing nothing, when there is none.
    bool undo(CellGrid& grid);
    bool redo(CellGrid& grid);

    // Drops every step: history starts again from the grid as it is.
    void forget();

    size_t undoSteps() const { return current_; }
    // Steps dropped, oldest first, to keep within the bounds since the last forget().
    size_t droppedSteps() const { return dropped_; }
    size_t redoSteps() const { return sizes_.size() - current_; }
    // Memory the steps hold: their bytes and their index, within kMaxBytes.
    size_t bytes() const { return (log_.size() - start_) + sizes_.size() * sizeof(uint32_t); }

private:
    bool paintBlock(const ViewState& state, CellGrid& grid, float colour);
    // Appends a step of `size` bytes, already written at the log's end, after dropping what could
    // be redone; then drops the oldest steps until the bounds hold.
    void commit(size_t size);
    void dropRedo();
    // Drops what could be redone and makes room for a block step of `size` bytes at the log's
    // end, its kind and block written; commit() then takes it.
    uint8_t* newBlockStep(uint8_t kind, const VisibleBlock& block, size_t size);
    size_t offsetOf(size_t step) const;

    // The steps' bytes, oldest first, from log_[start_] on; the steps before start_ were dropped.
    std::vector<uint8_t> log_;
    size_t start_ = 0;
    std::deque<uint32_t> sizes_;  // bytes of each step, oldest first
    size_t current_ = 0;          // steps that can be undone; those after it can be redone
    size_t undoBytes_ = 0;        // bytes of those steps
    size_t dropped_ = 0;
    // The colours a block held, a byte a cell, while its step is made.
    std::array<uint8_t, kGridSide * kGridSide * kGridSide> scratch_{};
};

}  // namespace kadro
