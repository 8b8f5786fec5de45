#pragma once
// The main window's keys, all of them in one place: the swatches, toggles, layer
// and size arrows, undo, the clipboard, the operations on the whole model and closing, and the keys that the focused control or
// the cell cursor takes (arrows, Enter, Insert, Escape). Every key calls a handler of the
// window or an addition, so it does exactly what its control does.
#include <QObject>

#include "model/grid.h"

class TForm1;
class CellCursor;
class Clipboard;
class QKeyEvent;
class LooseOutlines;
class ModelOperations;
class Speech;

class Keys : public QObject {
    Q_OBJECT
public:
    Keys(TForm1& form, kadro::CellGrid& grid, CellCursor& cursor, Clipboard& clipboard, Speech& speech,
         ModelOperations& operations, LooseOutlines& looseOutlines);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool windowKey(const QKeyEvent& key);
    bool place();
    void undo();
    void redo();

    TForm1& form_;
    kadro::CellGrid& grid_;
    CellCursor& cursor_;
    Clipboard& clipboard_;
    Speech& speech_;
    ModelOperations& operations_;
    LooseOutlines& looseOutlines_;
};
