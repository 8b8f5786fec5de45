#pragma once
// Ctrl+L: an outline on every loose cube of the visible block (model/loose.h) where the picture
// shows it, on the outline layer over the drawing area, never in its canvas, so copies and
// frames stay as without it. While shown it follows every frame, and a
// screen reader is told how many cubes are loose, and how many of them are not in view, whenever
// those numbers change.
#include <QObject>
#include <QRect>
#include <memory>
#include <vector>

#include "model/grid.h"
#include "render/canvas.h"

namespace kadro {
class FrameRenderer;
}
class OutlineLayer;
class Speech;
class TForm1;

class LooseOutlines : public QObject {
    Q_OBJECT
public:
    LooseOutlines(TForm1& form, const kadro::ViewState& state, const kadro::CellGrid& grid,
                  Speech& speech, OutlineLayer& outlines);
    ~LooseOutlines() override;

    void toggle();
    bool shown() const { return shown_; }
    // The outlined cubes' boxes, in the drawing area's pixels: each loose cube's box, cut down
    // on each side by as much as the picture hides of the cube there. A cube the picture does
    // not show at all has none.
    const std::vector<QRect>& boxes() const;

private:
    void follow();

    TForm1& form_;
    const kadro::ViewState& state_;
    const kadro::CellGrid& grid_;
    Speech& speech_;
    OutlineLayer& outlines_;
    bool shown_ = false;
    std::unique_ptr<kadro::FrameRenderer> renderer_;
    std::vector<kadro::Pixel> owners_;    // which cube shows at each pixel
    std::vector<kadro::PixelRect> seen_;  // by owner: the pixels where it shows
    int saidLoose_ = -1, saidHidden_ = -1;  // the numbers last said
};
