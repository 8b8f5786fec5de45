#pragma once
// The main window as the program shows it: the window the layout binds, with everything added
// to it attached from outside. Each addition is a child of the window and goes with it.
#include "model/grid.h"

class TForm1;
class CellCursor;
class Clipboard;
class EdgesView;
class Keys;
class LooseOutlines;
class ModelOperations;
class Notice;
class ScreenReaderNames;
class Speech;
class Tools;

struct Additions {
    Clipboard* clipboard;          // Ctrl+C and Ctrl+Shift+C
    CellCursor* cellCursor;        // the arrow keys' cell on the current layer
    ScreenReaderNames* names;      // accessible names, roles and tooltips
    Speech* speech;                // what a screen reader says as the user works
    Notice* notice;                // a refusal's sentence shown over the drawing area for a while
    ModelOperations* operations;   // turn, tip, flip, shift, copy a layer, swap a colour
    LooseOutlines* looseOutlines;  // Ctrl+L: outlines on the cubes that would fall off
    Tools* tools;                  // what a press on the drawing area does: place, brush, line, ...
    EdgesView* edges;              // O: the cubes with edges or as designed
    Keys* keys;                    // every key; calls the handlers and the additions above
};

// Attaches the additions to a window just made, before its FormCreate runs: the focus chain and
// frame, the compositor's move where it moves windows, the clipboard, the cell cursor, the
// screen-reader names and tooltips, speech, the operations on the whole model, the loose cubes'
// outlines, the drawing tools and the keys.
Additions attachAdditions(TForm1& form, kadro::ViewState& state, kadro::CellGrid& grid);
