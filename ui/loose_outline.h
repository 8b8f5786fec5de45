#pragma once
// Ctrl+L: an outline on every loose cube of the visible block (model/loose.h), drawn over the
// drawing area by a transparent layer of its own, never into its canvas, so copies and frames
// stay as without it. While shown it follows every frame, and a screen reader is told how many
// cubes are loose whenever that number changes.
#include <QWidget>
#include <vector>

#include "model/grid.h"

class Speech;
class TForm1;

class LooseOutlines : public QWidget {
    Q_OBJECT
public:
    LooseOutlines(TForm1& form, const kadro::ViewState& state, const kadro::CellGrid& grid, Speech& speech);

    void toggle();
    // The outlined cubes' boxes, in the drawing area's pixels.
    const std::vector<QRect>& boxes() const { return boxes_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    const kadro::ViewState& state_;
    const kadro::CellGrid& grid_;
    Speech& speech_;
    std::vector<QRect> boxes_;
    int said_ = -1;  // the loose cubes last said
};
