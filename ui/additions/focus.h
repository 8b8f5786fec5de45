#pragma once
// The main window's keyboard focus: which controls take it, in the layout's order, and a frame
// that shows where it is on the black window.
#include <QWidget>
#include <array>

class TForm1;

// The controls that take the focus, in tab order: the size bar first, as the layout orders its
// controls, then the layer up-down, the buttons, and the drawing area last.
std::array<QWidget*, 10> focusChain(const TForm1& form);

// Gives the chain's controls the focus in that order, puts it on the size bar and adds the frame;
// on Wayland, keys also follow a press on the main window while the About window is open.
void installFocus(TForm1& form);

// A frame drawn around whichever control of its window has the keyboard focus: a child of the
// window, above its siblings, transparent to the mouse and drawing nothing but the frame.
class FocusFrame : public QWidget {
    Q_OBJECT
public:
    explicit FocusFrame(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow(QWidget* focused);
    static constexpr int kWidth = 2;
};
