#pragma once
// What the main window puts on the desktop's clipboard: the parts list (Ctrl+C) and the drawing
// area's picture (Ctrl+Shift+C).
#include <QObject>

#include "model/grid.h"

class TForm1;

class Clipboard : public QObject {
    Q_OBJECT
public:
    Clipboard(TForm1& form, kadro::ViewState& state, kadro::CellGrid& grid);

    // The parts list as tab-separated text and as an HTML table.
    void copyPartsList();
    // The drawing area's pixels exactly as drawn, the part past the window's edge included.
    void copyPicture();

private:
    TForm1& form_;
    kadro::ViewState& state_;
    kadro::CellGrid& grid_;
};
