#include "render/canvas.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace kadro {

Pixel colourOfCode(int code) {
    static constexpr Pixel table[] = {colours::black,  colours::yellow,  colours::lime,
                                      colours::aqua,   colours::fuchsia, colours::red};
    return code >= 1 && code <= 5 ? table[code] : colours::black;
}

namespace {

struct Span {
    int left;
    int right;  // exclusive
};

// Caller clips: the span lies inside the row.
void fillSpan(Pixel* row, Span span, Pixel colour) {
    assert(span.left >= 0 && span.left <= span.right);
    std::fill(row + span.left, row + span.right, colour);
}

void hatchSpan(Pixel* row, int y, Span span, Pixel colour) {
    for (int x = span.left; x < span.right; ++x) {
        if (isHatchPixel(x, y)) row[x] = colour;
    }
}

}  // namespace

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return;

    // The painted area, then its intersection with the buffer.
    const int left = std::max(x1, 0), right = std::min(x2, target_.width);
    const int top = std::max(y1, 0), bottom = std::min(y2, target_.height);
    if (left >= right || top >= bottom) return;

    // The inside is the area less its one-pixel border, clipped the same way.
    const Span inside{std::clamp(x1 + 1, left, right), std::clamp(x2 - 1, left, right)};
    const bool insideIsEmpty = inside.left >= inside.right;
    for (int y = top; y < bottom; ++y) {
        Pixel* row = target_.pixels + static_cast<long>(y) * target_.stride;
        if (y == y1 || y == y2 - 1 || insideIsEmpty) {
            fillSpan(row, {left, right}, pen_);
            continue;
        }
        if (left == x1) row[left] = pen_;
        if (right == x2) row[right - 1] = pen_;
        if (style_ == BrushStyle::Solid) {
            fillSpan(row, inside, brush_);
        } else {
            hatchSpan(row, y, inside, brush_);
        }
    }
}

}  // namespace kadro
