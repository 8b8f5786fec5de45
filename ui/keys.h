#pragma once
// The main window's keys, all of them in one place: shortcuts for the swatches, toggles, layer
// and size arrows, undo, the clipboard and closing, and the keys that the focused control or
// the cell cursor takes (arrows, Enter, Insert, Escape). Every key calls a handler of the
// window or an addition, so it does exactly what its control does.
#include <QObject>

#include "model/grid.h"

class TForm1;
class CellCursor;
class Clipboard;

class Keys : public QObject {
    Q_OBJECT
public:
    Keys(TForm1& form, kadro::CellGrid& grid, CellCursor& cursor, Clipboard& clipboard);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& form_;
    CellCursor& cursor_;
};
