#pragma once
// The main window's keys, all of them in one place: one table of the window's own keys (the
// toggles, layer and size arrows, undo, the clipboard, the operations on the whole model and
// closing, the drawing tools), the colour keys, and the keys that the focused control or the cell
// cursor takes (arrows, Enter, Insert, Escape). Every key calls a handler of the window or an
// addition, so it does exactly what its control does.
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "model/grid.h"
#include "ui/additions/key_row.h"

class TForm1;
class CellCursor;
class Clipboard;
class EdgesView;
class QKeyEvent;
class LooseOutlines;
class ModelOperations;
class Speech;
class Tools;

class Keys : public QObject {
    Q_OBJECT
public:
    Keys(TForm1& form, kadro::CellGrid& grid, CellCursor& cursor, Clipboard& clipboard,
         Speech& speech, ModelOperations& operations, LooseOutlines& looseOutlines, Tools& tools,
         EdgesView& edges);

    // The window's own keys, each with its modifiers, in the table's order.
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> windowKeys() const;
    const std::vector<KeyRow>& rows() const { return windowKeys_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool windowKey(const QKeyEvent& key);
    void undo();
    void redo();

    TForm1& form_;
    kadro::CellGrid& grid_;
    CellCursor& cursor_;
    Speech& speech_;
    ModelOperations& operations_;
    Tools& tools_;
    std::vector<KeyRow> windowKeys_;
};
