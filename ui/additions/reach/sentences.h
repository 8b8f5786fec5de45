#pragma once
// The sentences a screen reader hears about what a frame shows changed: a plain function from
// what two frames show, and the step taken between them, to a sentence.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/history.h"

// What a frame shows that the user changes, and where the focus was when it was drawn.
struct FrameSummary {
    int colour = 0;
    bool erasing = false;
    bool grid = false;
    int layer = 0;
    int size = 0;
    int32_t cubes = 0;     // in the visible block
    size_t stepsDone = 0;  // steps taken since the history began, undone ones not counted
    size_t recorded = 0;   // steps recorded
    // The focused size bar and layer spin box say their own values.
    enum class Focus { Elsewhere, SizeBar, LayerBox } focus = Focus::Elsewhere;
    QString cursorCell;  // the cell cursor's cell without its layer, "Column 3, row 4: red"

    // Whether a frame drawn now would show something else than `shown`.
    bool differsFrom(const FrameSummary& shown) const {
        return colour != shown.colour || erasing != shown.erasing || grid != shown.grid ||
               layer != shown.layer || size != shown.size || stepsDone != shown.stepsDone ||
               recorded != shown.recorded;
    }
};

// The step taken between two frames, if one was: a new one, one redone or one undone.
enum class StepTaken { None, New, Redone, Undone };
StepTaken stepTaken(const FrameSummary& before, const FrameSummary& now);

// What changed from `before` to `now`, as one sentence; empty when nothing worth saying did.
// `step` is the step taken (after an undo, the step that redo would take again).
QString changesSaid(const FrameSummary& before, const FrameSummary& now,
                    const std::optional<kadro::StepSummary>& step);

// What a press on the drawing area does in `frame`: "Erasing", "Placing red".
QString whatAPressDoes(const FrameSummary& frame);
