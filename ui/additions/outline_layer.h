#pragma once
// The outlines over the drawing area: a transparent layer of its own that takes no press and no
// focus, so that the picture, its copies and its frames stay as without them. Each addition
// that outlines something sets its own boxes here; they are drawn in the owners' order, each
// over the one before, with the one outline look (render/canvas.h). Shown only while it has
// something to draw, so that a frame repaints nothing more otherwise.
#include <QImage>
#include <QRect>
#include <QWidget>
#include <array>
#include <vector>

class OutlineLayer : public QWidget {
    Q_OBJECT
public:
    // Who outlines, in the order drawn.
    enum class Owner { CellCursor, LooseCubes, Tools };
    static constexpr int kOwners = 3;

    explicit OutlineLayer(QWidget* area);

    // The boxes `owner` outlines, in the drawing area's pixels, and for the tools the mirror's
    // marker (empty when none): an orange bar with a black pixel on either side.
    void set(Owner owner, std::vector<QRect> boxes, QRect marker = {});
    const std::vector<QRect>& boxes(Owner owner) const { return boxes_[static_cast<int>(owner)]; }

    // The marker's colour: orange, which is no cube's colour, nor the grid's white or the ground's
    // black, so that it is plain to see on all of them.
    static constexpr QRgb kMarkerColour = 0xFFFF8000;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Paints anew what lies within `dirty`.
    void repaintWithin(const QRect& dirty);

    std::array<std::vector<QRect>, kOwners> boxes_;
    QRect marker_;
    QImage overlay_;  // the outlines, transparent between them
};
