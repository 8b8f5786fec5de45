#pragma once
// O: the picture's cubes with edges (each a solid seen from the front, its faces shaded and
// edged, the grid pattern on the current layer only) or as designed, as the program starts.
// Not kept after the program ends.
#include <QObject>

#include "model/grid.h"

class Speech;
class TForm1;

class EdgesView : public QObject {
    Q_OBJECT
public:
    EdgesView(TForm1& form, const kadro::ViewState& state, Speech& speech);

    // Nothing during the start-up animation.
    void toggle();

private:
    TForm1& form_;
    const kadro::ViewState& state_;
    Speech& speech_;
};
