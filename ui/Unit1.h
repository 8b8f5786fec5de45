#pragma once
// The main window: drawing area, palette with the parts list, layer and size controls,
// command buttons and the close mark. Its handlers translate events into model operations.
#include <QTimer>
#include <QWidget>

#include "model/grid.h"
#include "render/fast_frame.h"
#include "render/frame_inputs.h"
#include "ui/controls.h"
#include "ui_Unit1.h"

class TForm1 : public QWidget, public Ui::TForm1 {
    Q_OBJECT
public:
    // The window works on the model it is given, which must outlive it.
    TForm1(kadro::ViewState& state, kadro::CellGrid& grid, QWidget* parent = nullptr);

    // Frames actually drawn; a tick whose picture would not change keeps the last one.
    int framesDrawn() const { return framesDrawn_; }

    QTimer* Timer1;  // frame renderer, every 10 ms for the whole run
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

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    kadro::ViewState& state_;
    kadro::CellGrid& grid_;
    kadro::FrameRenderer renderer_;
    kadro::FrameInputs lastFrame_;
    int framesDrawn_ = 0;
};

// The one main window of the program, set before its creation handler runs.
extern TForm1* Form1;

// The face used for every text of the windows, with the layout's pixel heights.
extern const char* const kFontFamily;
