#include "render/canvas.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

namespace kadro {

Pixel colourOfCode(int code) {
    return code >= 1 && code <= kColourCount ? opaque(kPalette[code - 1].rgb) : colours::black;
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

bool clipRectangle(int x1, int y1, int x2, int y2, int width, int height, RectangleArea& area) {
    return clipRectangle(x1, y1, x2, y2, PixelRect{0, 0, width, height}, area);
}

bool clipRectangle(int x1, int y1, int x2, int y2, const PixelRect& bounds, RectangleArea& area) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return false;
    const int left = std::max(x1, bounds.left), right = std::min(x2, bounds.right);
    const int top = std::max(y1, bounds.top), bottom = std::min(y2, bounds.bottom);
    if (left >= right || top >= bottom) return false;
    area = {x1,
            y1,
            x2,
            y2,
            left,
            top,
            right,
            bottom,
            std::clamp(x1 + 1, left, right),
            std::clamp(x2 - 1, left, right)};
    return true;
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    RectangleArea area;
    if (!clipRectangle(x1, y1, x2, y2, target_.width, target_.height, area)) return;
    for (int y = area.top; y < area.bottom; ++y) {
        Pixel* row = target_.pixels + static_cast<long>(y) * target_.stride;
        if (area.isBorderRow(y)) {
            fillSpan(row, {area.left, area.right}, pen_);
            continue;
        }
        if (area.hasLeftBorder()) row[area.left] = pen_;
        if (area.hasRightBorder()) row[area.right - 1] = pen_;
        const Span inside{area.insideLeft, area.insideRight};
        if (style_ == BrushStyle::Solid) {
            fillSpan(row, inside, brush_);
        } else {
            hatchSpan(row, y, inside, brush_);
        }
    }
}

PixelRect copyChanges(const PixelBuffer& from, const PixelBuffer& copy) {
    assert(from.width == copy.width && from.height == copy.height);
    PixelRect changed{from.width, from.height, 0, 0};
    const size_t rowBytes = static_cast<size_t>(std::max(from.width, 0)) * sizeof(Pixel);
    for (int y = 0; y < from.height; ++y) {
        const Pixel* now = from.pixels + static_cast<long>(y) * from.stride;
        Pixel* shown = copy.pixels + static_cast<long>(y) * copy.stride;
        if (std::memcmp(now, shown, rowBytes) == 0) continue;
        int left = 0, right = from.width;
        while (now[left] == shown[left]) ++left;
        while (now[right - 1] == shown[right - 1]) --right;
        std::memcpy(shown + left, now + left, static_cast<size_t>(right - left) * sizeof(Pixel));
        changed.left = std::min(changed.left, left);
        changed.right = std::max(changed.right, right);
        changed.top = std::min(changed.top, y);
        changed.bottom = y + 1;
    }
    return changed.empty() ? PixelRect{} : changed;
}

PixelRect copyChanges(const PixelBuffer& from, const PixelBuffer& copy, PixelRect within) {
    within = {std::max(within.left, 0), std::max(within.top, 0), std::min(within.right, from.width),
              std::min(within.bottom, from.height)};
    if (within.empty()) return {};
    const auto part = [&](const PixelBuffer& buffer) {
        return PixelBuffer{&buffer.at(within.left, within.top), within.right - within.left,
                           within.bottom - within.top, buffer.stride};
    };
    const PixelRect changed = copyChanges(part(from), part(copy));
    if (changed.empty()) return {};
    return {changed.left + within.left, changed.top + within.top, changed.right + within.left,
            changed.bottom + within.top};
}

void paintOutline(const PixelBuffer& target, const PixelRect& box) {
    // Each ring over the one before, from the outside in, as a 1-pixel pen draws a rectangle.
    const auto ring = [&](int inset, Pixel colour) {
        const PixelRect r{box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
        if (r.empty()) return;
        const auto dot = [&](int x, int y) {
            if (x >= 0 && x < target.width && y >= 0 && y < target.height) target.at(x, y) = colour;
        };
        for (int x = std::max(r.left, 0); x < std::min(r.right, target.width); ++x)
            dot(x, r.top), dot(x, r.bottom - 1);
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, target.height); ++y)
            dot(r.left, y), dot(r.right - 1, y);
    };
    ring(-1, colours::black);
    ring(0, colours::white);
    ring(1, colours::white);
    ring(2, colours::black);
}

}  // namespace kadro
