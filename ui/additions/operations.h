#pragma once
// Operations on the whole model from the keys: turn, tip, flip, shift, copy a layer, swap a
// colour. Which cells change is worked out in model/operations.h; here each result is painted
// through the window's history as one undo step, and said to a screen reader. During the
// start-up animation they do nothing.
#include <QObject>
#include <QString>

#include "model/grid.h"
#include "model/operations.h"

class Notice;
class Speech;
class TForm1;

class ModelOperations : public QObject {
    Q_OBJECT
public:
    ModelOperations(TForm1& form, const kadro::ViewState& state, kadro::CellGrid& grid,
                    Speech& speech, Notice& notice);

    // T, Shift+T, V, Shift+V and H.
    void turn(kadro::Turn turn);
    // Ctrl+arrows, Ctrl+Page Up (Back) and Ctrl+Page Down (Front); refused with a beep when a
    // cube lies against that side.
    void shift(kadro::Side side);
    // Ctrl+D copies the current layer onto the one behind it (Back) and steps the view there;
    // Ctrl+Shift+D onto the one in front (Front).
    void copyLayer(kadro::Side towards);
    // Page Up (Back) and Page Down (Front): the current layer moves by exactly one, as an arrow of
    // the up-down moves it from that layer, whatever presses its arrows have stored beyond the
    // block; at the back or front layer nothing changes, and that is said and shown.
    void stepLayer(kadro::Side towards);
    // Ctrl+1 to Ctrl+5: every cube of the current colour takes `colour`, which then becomes the
    // current colour as a press on its swatch makes it.
    void recolour(kadro::ColourCode colour);

private:
    bool ready() const;
    int size() const;
    // Paints the block through the history as one step named `name`; `said` is said with the
    // next frame, which shows it.
    void apply(const kadro::Design& block, kadro::StepName name, const QString& said);
    // Says a sentence now and shows it over the drawing area, for what no frame will show.
    void tell(const QString& sentence);
    // Beeps and tells why.
    void refuse(const QString& why);

    TForm1& form_;
    const kadro::ViewState& state_;
    kadro::CellGrid& grid_;
    Speech& speech_;
    Notice& notice_;
};
