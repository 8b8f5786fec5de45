#pragma once
// Undo and redo of the user's edits to the cells' colours, over the history that the main
// window's editing handlers record. They change colours only; the next tick draws and counts
// them as any edit. Each returns whether there was a step to take.
#include "model/grid.h"

class TForm1;

bool undoEdit(TForm1& form, kadro::CellGrid& grid);
bool redoEdit(TForm1& form, kadro::CellGrid& grid);
