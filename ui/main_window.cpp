#include "ui/main_window.h"

#include <malloc.h>

#include "ui/additions/cell_cursor.h"
#include "ui/additions/clipboard.h"
#include "ui/additions/count_labels.h"
#include "ui/additions/edges_view.h"
#include "ui/additions/focus.h"
#include "ui/additions/keys.h"
#include "ui/additions/loose_outline.h"
#include "ui/additions/notice.h"
#include "ui/additions/operations.h"
#include "ui/additions/outline_layer.h"
#include "ui/additions/reach/accessibility.h"
#include "ui/additions/reach/speech.h"
#include "ui/additions/tools/tools.h"
#include "ui/additions/window_move.h"
#include "ui/form/Unit1.h"

namespace {

// A burst of input (a thousand clicks queued at once) leaves megabytes that the events took freed
// but kept by the C library; once the program rests, they go back to the system, so that the
// memory held stays with the undo history's bound. Only when more than half a megabyte has been
// freed since the last time: what a trim cannot give back (pieces between blocks in use) would
// otherwise have it run, for milliseconds, at every rest.
void giveBackFreedMemory() {
    constexpr size_t kFreedAtMost = size_t{512} << 10;
    static size_t keptAfterTrim = 0;
    const size_t kept = mallinfo2().fordblks;
    if (kept > keptAfterTrim + kFreedAtMost) {
        malloc_trim(0);
        keptAfterTrim = mallinfo2().fordblks;
    } else if (kept < keptAfterTrim) {
        keptAfterTrim = kept;
    }
}

}  // namespace

Additions attachAdditions(TForm1& form, kadro::ViewState& state, kadro::CellGrid& grid) {
    installFocus(form);
    QObject::connect(&form, &TForm1::resting, &form, &giveBackFreedMemory);
    new SystemMove(form);
    Additions additions{};
    additions.clipboard = new Clipboard(form, state, grid);
    // Over the drawing area, and over the notice made below it: the outlines.
    auto* outlines = new OutlineLayer(form.Image1);
    additions.cellCursor = new CellCursor(form, state, grid, *outlines);
    additions.names = new ScreenReaderNames(form, state);
    additions.speech = new Speech(form, state, grid, *additions.cellCursor);
    QObject::connect(additions.clipboard, &Clipboard::said, additions.speech, &Speech::say);
    new CountLabels(form);
    additions.notice = new Notice(form);
    outlines->raise();
    additions.operations =
        new ModelOperations(form, state, grid, *additions.speech, *additions.notice);
    additions.looseOutlines = new LooseOutlines(form, state, grid, *additions.speech, *outlines);
    additions.edges = new EdgesView(form, state, *additions.speech);
    additions.tools = new Tools(form, state, grid, *additions.cellCursor, *additions.speech,
                                *additions.names, *outlines);
    additions.keys = new Keys(form, grid, *additions.cellCursor, *additions.clipboard,
                              *additions.speech, *additions.operations, *additions.looseOutlines,
                              *additions.tools, *additions.edges);
    additions.names->installTooltips(additions.keys->rows());
    return additions;
}
