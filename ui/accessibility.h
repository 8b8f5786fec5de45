#pragma once
// What the main window tells a screen reader and a pointer that rests: accessible names, roles
// and descriptions that follow the picture and the counts, and a tooltip on every control that
// says what it does and its key. The drawing area's tooltip names the cell a click there would
// change. Nothing of it changes a pixel or what a handler does.
#include <QObject>
#include <QString>

#include "model/grid.h"

class CellCursor;
class TForm1;

class ScreenReaderNames : public QObject {
    Q_OBJECT
public:
    ScreenReaderNames(TForm1& form, const kadro::ViewState& state, const kadro::CellGrid& grid,
                      const CellCursor& cursor);

    // The tooltip a pointer at (x, y) on the drawing area gets.
    QString pressTip(int x, int y) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installTooltips();
    // Names and descriptions from what the last frame shows and counts; the drawing area's
    // description names the cursor's cell and what it holds while the cursor is shown.
    void describe();

    TForm1& form_;
    const kadro::ViewState& state_;
    const kadro::CellGrid& grid_;
    const CellCursor& cursor_;
    bool cursorWasShown_ = false;
    int layerSaid_ = 0;
};
