#include "ui/additions/outline_layer.h"

#include <QPaintEvent>
#include <QPainter>

#include "render/canvas.h"

using kadro::Pixel;
using kadro::PixelBuffer;

namespace {

// What an outline covers: its box grown by one pixel.
QRect covered(const QRect& box) { return box.adjusted(-1, -1, 1, 1); }
// What the marker covers: a black pixel on either side of it.
QRect coveredByMarker(const QRect& marker) { return marker.adjusted(-1, 0, 1, 0); }

void fill(const PixelBuffer& target, const QRect& r, Pixel colour) {
    for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), target.height - 1); ++y)
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), target.width - 1); ++x)
            target.at(x, y) = colour;
}

}  // namespace

OutlineLayer::OutlineLayer(QWidget* area) : QWidget(area) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(area->rect());
    overlay_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    overlay_.fill(Qt::transparent);
    hide();
}

void OutlineLayer::set(Owner owner, std::vector<QRect> boxes, QRect marker) {
    std::vector<QRect>& now = boxes_[static_cast<int>(owner)];
    if (owner != Owner::Tools) marker = marker_;
    if (boxes == now && marker == marker_) return;
    std::vector<QRect> dirty;
    for (const QRect& box : now) dirty.push_back(covered(box));
    for (const QRect& box : boxes) dirty.push_back(covered(box));
    if (marker != marker_)
        dirty.insert(dirty.end(), {coveredByMarker(marker_), coveredByMarker(marker)});
    now = std::move(boxes);
    marker_ = marker;
    // Many boxes at once (the loose cubes) are painted anew within their bounds, once.
    if (dirty.size() > 16) {
        QRect all;
        for (const QRect& r : dirty) all |= r;
        dirty = {all};
    }
    for (const QRect& r : dirty) {
        if (r.isEmpty()) continue;
        repaintWithin(r);
        update(r);
    }
    bool any = !marker_.isEmpty();
    for (const std::vector<QRect>& owned : boxes_) any |= !owned.empty();
    setVisible(any);
}

void OutlineLayer::repaintWithin(const QRect& dirty) {
    const QRect within = dirty & overlay_.rect();
    if (within.isEmpty()) return;
    // The overlay within `within` alone, so that nothing outside it is painted over.
    const PixelBuffer part{
        reinterpret_cast<Pixel*>(overlay_.scanLine(within.top())) + within.left(), within.width(),
        within.height(), static_cast<int>(overlay_.bytesPerLine() / sizeof(Pixel))};
    const QPoint origin = within.topLeft();
    fill(part, QRect(QPoint(0, 0), within.size()), 0);
    for (int owner = 0; owner < kOwners; ++owner) {
        // The tools' marker under their outlines.
        if (owner == static_cast<int>(Owner::Tools) && !marker_.isEmpty()) {
            fill(part, coveredByMarker(marker_).translated(-origin), kadro::colours::black);
            fill(part, marker_.translated(-origin), kMarkerColour);
        }
        for (const QRect& box : boxes_[owner]) {
            if (!covered(box).intersects(within)) continue;
            const QRect b = box.translated(-origin);
            kadro::paintOutline(part, {b.left(), b.top(), b.right() + 1, b.bottom() + 1});
        }
    }
}

void OutlineLayer::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), overlay_, event->rect());
}
