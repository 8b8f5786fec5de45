#pragma once
// The main window: drawing area, palette with the parts list, layer and size controls,
// command buttons and the close mark. Its handlers translate events into model operations.
//
// The controls and handlers keep the names the layout binds. What each one is:
//   Image1    the drawing area (761 x 417, reaching past the window's right edge)
//   Image2    the logo; Image3, Image4, Image5 blank black panels behind the controls
//   Shape1-5  the palette swatches: yellow, lime, aqua, fuchsia, red
//   Label1, Label2, Label4, Label8, Label9   the parts list: the count under each swatch
//   Label7    the current layer; Label10 the size; Label14 the red close mark "X"
//   Label5, Label6  the captions DEPTH LAYER and WIDTH/HEIGHT/DEPTH
//   Label11, Label3 hidden: the zoom step's value and the caption SIZE
//   UpDown1   the layer up-down; ScrollBar4 the size bar (2..20)
//   ScrollBar2  hidden zoom step (1..10), 10 once the grid reset has run
//   ScrollBar1  hidden intro progress, moved by Timer2
//   Button2 CLEAR, Button7 FILL, Button3 HIDE/SHOW GRID, Button4 ERASE IS OFF/ON,
//   Button5 LOAD and Button6 SAVE (placeholders), Button11 ABOUT KADRO
//   Button1   hidden: its handler is the grid reset, run once by FormCreate
//   Button10  hidden: its handler is the recount, run by every frame tick
//   Button8, Edit1  hidden and unused
//   Timer1    the frame, every 10 ms; Timer2 the intro counter
#include <QTimer>
#include <QWidget>

#include "model/grid.h"
#include "model/history.h"
#include "render/frame_inputs.h"
#include "render/frame_renderer.h"
#include "ui/form/controls.h"
#include "ui_Unit1.h"

// The window the layout binds: its controls, the handlers bound to them, the frame tick,
// dragging, closing and the start position. What is added on top of it (keys, the cell cursor,
// the clipboard, undo, the focus chain, screen-reader names and tooltips) lives in units of its
// own that use the public handlers and the hooks below (ui/main_window.h attaches them).
class TForm1 : public QWidget, public Ui::TForm1 {
    Q_OBJECT
public:
    // The size FormCreate gives the window.
    static constexpr int kWindowWidth = 550;
    static constexpr int kWindowHeight = 580;
    // Milliseconds between the ticks of both timers.
    static constexpr int kFrameInterval = 10;

    // The window works on the model it is given, which must outlive it.
    TForm1(kadro::ViewState& state, kadro::CellGrid& grid, QWidget* parent = nullptr);

    // Frames actually drawn; a tick whose picture would not change keeps the last one.
    int framesDrawn() const { return framesDrawn_; }

    // The parts-list label under a colour's swatch, and the swatch.
    TLabel* countLabel(kadro::ColourCode code) const;
    TShape* swatch(kadro::ColourCode code) const;

    // Hooks for the additions.
    // The editing handlers record their changes here; undo and a paste work on it too.
    kadro::EditHistory& history() { return history_; }
    const kadro::EditHistory& history() const { return history_; }
    // Whatever changes what a frame shows (the cells, their layout, the view) calls this first:
    // it counts the change, so that a tick compares the grid only after one, and starts the
    // frame timer if it sleeps, its next tick as soon as the event loop is free. The timer
    // sleeps once the animation is over and a tick found nothing to draw.
    void wake();
    // How the picture draws the cubes: as designed (at start) or with edges.
    kadro::Look look() const { return look_; }
    void setLook(kadro::Look look);

    QTimer* Timer1;  // frame renderer, every 10 ms while anything changes (see wake())
    QTimer* Timer2;  // intro counter, until the start-up animation begins

    void FormCreate(QObject* Sender);
    void FormMouseMove(QObject* Sender, Qt::MouseButtons Shift, int X, int Y);
    void Label14Click(QObject* Sender);
    void Button1Click(QObject* Sender);
    void ScrollBar4Change(QObject* Sender);
    void UpDown1Click(QObject* Sender, UpDownButton Button);
    void Image1MouseDown(QObject* Sender, const MouseEventArgs& args);
    void Button2Click(QObject* Sender);
    void Button7Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);
    void Button5Click(QObject* Sender);
    void Button6Click(QObject* Sender);
    void Button11Click(QObject* Sender);
    void ShapeMouseDown(QObject* Sender, kadro::ColourCode code);
    void Shape1MouseDown(QObject* Sender, const MouseEventArgs&);
    void Shape2MouseDown(QObject* Sender, const MouseEventArgs&);
    void Shape3MouseDown(QObject* Sender, const MouseEventArgs&);
    void Shape4MouseDown(QObject* Sender, const MouseEventArgs&);
    void Shape5MouseDown(QObject* Sender, const MouseEventArgs&);
    void Button10Click(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    void Timer2Timer(QObject* Sender);

signals:
    // A tick drew a new frame and wrote the counts: what describes the picture follows it.
    void frameDrawn();
    // Sent by wake(), before the change it announces: what an addition holds unrecorded (a
    // brush stroke under way) is settled first, so that nothing later is written over.
    void changing();
    // The frame timer has gone to sleep: nothing changes until the user does something.
    void resting();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Closing the window by any means (the window manager's close, Alt+F4) ends the program as
    // the close mark does, also while the About window is open.
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The start position on the screen the window belongs to, kept reachable on small screens.
    QPoint startOnScreen() const;
    // Edits are recorded for undo once the start-up animation has painted its last pattern.
    kadro::Recording recording() const;

    kadro::ViewState& state_;
    kadro::CellGrid& grid_;
    kadro::FrameRenderer renderer_;
    kadro::FrameInputs lastFrame_;
    kadro::EditHistory history_;
    int framesDrawn_ = 0;
    kadro::Look look_ = kadro::Look::Designed;
    uint64_t changes_ = 0;  // calls of wake(), and frames the animation painted
};
