#pragma once
// Where the main window opens.

namespace kadro {

// The main window's start position on a screen of the given size, as {left, top}, relative to
// the screen's own top-left corner: centred for a fixed 614 x 555, not for the window's own
// 550 x 580, so it sits near the middle but not exactly in it. Integer divisions truncate toward
// zero, so small screens give negative positions.
struct WindowPosition {
    int left;
    int top;
};
WindowPosition startPosition(int screenWidth, int screenHeight);

struct Area {
    int left, top, width, height;
};

// The start position on a screen (in desktop coordinates), then moved the least needed to keep
// the window usable within `available` (the screen's area less panels): all of `controls` (from
// the window's corner to the right and bottom edges of what it shows, the close mark among them)
// inside where they fit, else the window's corner at the area's edge, which shows the most of
// them, the close mark at the top right first. Where all fits at the start position, it stays
// exactly there.
struct Extent {
    int width, height;
};
WindowPosition placeOnScreen(const Area& screen, const Area& available, Extent controls);

}  // namespace kadro
