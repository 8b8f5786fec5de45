#pragma once
// What the main window tells a screen reader and a pointer that rests: accessible names, roles
// and descriptions that follow the picture and the counts, and a tooltip on every control that
// says what it does and its key. The drawing area's tooltip names the cell a click there would
// change. Nothing of it changes a pixel or what a handler does.
#include <QObject>
#include <QString>

#include "model/grid.h"

class TForm1;

class ScreenReaderNames : public QObject {
    Q_OBJECT
public:
    ScreenReaderNames(TForm1& form, const kadro::ViewState& state);

    // The tooltip a pointer at (x, y) on the drawing area gets.
    QString pressTip(int x, int y) const;
    // The drawing tool in use as the name and the tooltip say it ("rectangle", "brush, mirrored"),
    // empty for the designed press; whether it leaves the cells beyond the size alone, and
    // whether it picks a colour rather than changing a cell.
    void setTool(const QString& word, bool blockOnly, bool picker);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installTooltips();
    // Names and descriptions from what the last frame shows and counts. (The cell cursor's cell
    // is said by ui/speech.h, as a focused child of the drawing area.)
    void describe();

    TForm1& form_;
    const kadro::ViewState& state_;
    int layerSaid_ = 0;
    QString tool_;
    bool blockOnly_ = false;
    bool picker_ = false;
};
