#pragma once
// What the main window tells a screen reader and a pointer that rests: accessible names, roles
// and descriptions that follow the picture and the counts, and a tooltip on every control that
// says what it does and its key. The drawing area's tooltip names the cell a click there would
// change. Nothing of it changes a pixel or what a handler does.
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "model/grid.h"

class TForm1;
struct KeyRow;

// Where a press of the drawing tool in use can change a cell: anywhere on the current layer, as
// the window's own press, or inside the block at the size shown only.
enum class PressReach { WholeLayer, BlockOnly };
// Whether a press changes the cell or picks its colour.
enum class PressDoes { Change, Pick };

class ScreenReaderNames : public QObject {
    Q_OBJECT
public:
    ScreenReaderNames(TForm1& form, const kadro::ViewState& state);

    // Every control's tooltip, naming the keys of the window's table that do its work; and the
    // descriptions that repeat a tooltip.
    void installTooltips(const std::vector<KeyRow>& keys);
    // The tooltip a pointer at (x, y) on the drawing area gets.
    QString pressTip(int x, int y) const;
    // The drawing tool in use as the name and the tooltip say it ("rectangle", "brush, mirrored"),
    // empty for the designed press; where a press reaches and what it does.
    // A tool that acts on the cube under the pointer gives the drawing area's tooltip itself.
    void setTool(const QString& word, PressReach reach, PressDoes does,
                 std::function<QString(int x, int y)> tip = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Names and descriptions from what the last frame shows and counts. (The cell cursor's cell
    // is said by ui/speech.h, as a focused child of the drawing area.)
    void describe();

    TForm1& form_;
    const kadro::ViewState& state_;
    int layerSaid_ = 0;
    QString tool_;
    std::function<QString(int x, int y)> tip_;
    QString toolKeys_;  // the tool keys, after the drawing area's tooltip
    PressReach reach_ = PressReach::WholeLayer;
    PressDoes does_ = PressDoes::Change;
};
