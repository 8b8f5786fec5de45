#pragma once
// Where the main window opens.

namespace kadro {

// The main window's start position on a screen of the given size, as {left, top}: centred for
// a fixed 614 x 555, not for the window's own 550 x 580, so it sits near the middle but not
// exactly in it. Integer divisions truncate toward zero, so small screens give negative positions.
struct WindowPosition {
    int left;
    int top;
};
WindowPosition startPosition(int screenWidth, int screenHeight);

}  // namespace kadro
