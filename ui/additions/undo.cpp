#include "ui/additions/undo.h"

#include "ui/form/Unit1.h"

bool undoEdit(TForm1& form, kadro::CellGrid& grid) {
    form.wake();
    return form.history().undo(grid);
}

bool redoEdit(TForm1& form, kadro::CellGrid& grid) {
    form.wake();
    return form.history().redo(grid);
}
