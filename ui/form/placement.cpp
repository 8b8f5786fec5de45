#include "ui/form/placement.h"

#include <algorithm>

namespace kadro {

WindowPosition startPosition(int screenWidth, int screenHeight) {
    return {(screenWidth - 614) / 2, (screenHeight - 555) / 2};
}

namespace {

// One axis: `start` moved the least so that [start, start + extent) lies within [low, high);
// where it cannot, at low, which shows the most of it from the corner.
int fit(int start, int low, int high, int extent) {
    return high - low >= extent ? std::clamp(start, low, high - extent) : low;
}

}  // namespace

WindowPosition placeOnScreen(const Area& screen, const Area& available, Extent controls) {
    const WindowPosition centred = startPosition(screen.width, screen.height);
    return {fit(screen.left + centred.left, available.left, available.left + available.width,
                controls.width),
            fit(screen.top + centred.top, available.top, available.top + available.height,
                controls.height)};
}

}  // namespace kadro
