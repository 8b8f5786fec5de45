#pragma once
// Ctrl+L: an outline on every loose cube of the visible block (model/loose.h) where the picture
// shows it, drawn over the drawing area by a transparent layer of its own, never into its
// canvas, so copies and frames stay as without it. While shown it follows every frame, and a
// screen reader is told how many cubes are loose, and how many of them are not in view, whenever
// those numbers change.
#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "model/grid.h"
#include "render/canvas.h"

namespace kadro {
class FrameRenderer;
}
class Speech;
class TForm1;

class LooseOutlines : public QWidget {
    Q_OBJECT
public:
    LooseOutlines(TForm1& form, const kadro::ViewState& state, const kadro::CellGrid& grid, Speech& speech);
    ~LooseOutlines() override;

    void toggle();
    // The outlined cubes' boxes, in the drawing area's pixels: each loose cube's box, cut down
    // on each side by as much as the picture hides of the cube there. A cube the picture does
    // not show at all has none.
    const std::vector<QRect>& boxes() const { return boxes_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    TForm1& form_;
    const kadro::ViewState& state_;
    const kadro::CellGrid& grid_;
    Speech& speech_;
    std::unique_ptr<kadro::FrameRenderer> renderer_;
    std::vector<kadro::Pixel> owners_;    // which cube shows at each pixel
    std::vector<kadro::PixelRect> seen_;  // by owner: the pixels where it shows
    QImage overlay_;                      // the outlines, transparent between them
    std::vector<QRect> boxes_;
    int saidLoose_ = -1, saidHidden_ = -1;  // the numbers last said
};
