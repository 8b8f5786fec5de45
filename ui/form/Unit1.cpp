#include "ui/form/Unit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QScreen>

#include "model/animation.h"
#include "model/editing.h"
#include "model/recount.h"
#include "ui/form/Unit2.h"
#include "ui/form/captions.h"
#include "ui/form/logo.h"
#include "ui/form/placement.h"

using namespace kadro;

namespace {
QString text(int32_t value) { return QString::fromStdString(intToText(value)); }
}  // namespace

TForm1::TForm1(ViewState& state, CellGrid& grid, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      Timer1(new QTimer(this)),
      Timer2(new QTimer(this)),
      state_(state),
      grid_(grid) {
    setupUi(this);
    applyLayoutExtras(this, kFontFamily);
    withoutToolkitMenus(this);
    Image2->setPicture(logoPicture());
    // A press on any control belongs to that control; only the bare background drags.
    for (QWidget* child : findChildren<QWidget*>()) child->setAttribute(Qt::WA_NoMousePropagation);

    connect(Label14, &TLabel::clicked, this, [this] { Label14Click(Label14); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(Button3); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(Button4); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(Button5); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(Button6); });
    connect(Button11, &QPushButton::clicked, this, [this] { Button11Click(Button11); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(ScrollBar4, &QScrollBar::valueChanged, this, [this] { ScrollBar4Change(ScrollBar4); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(Button2); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(Button7); });
    connect(UpDown1, &TUpDown::clicked, this, [this](UpDownButton b) { UpDown1Click(UpDown1, b); });
    connect(Image1, &TImage::mouseDown, this, [this](auto& a) { Image1MouseDown(Image1, a); });
    connect(Shape1, &TShape::mouseDown, this, [this](auto& a) { Shape1MouseDown(Shape1, a); });
    connect(Shape2, &TShape::mouseDown, this, [this](auto& a) { Shape2MouseDown(Shape2, a); });
    connect(Shape3, &TShape::mouseDown, this, [this](auto& a) { Shape3MouseDown(Shape3, a); });
    connect(Shape4, &TShape::mouseDown, this, [this](auto& a) { Shape4MouseDown(Shape4, a); });
    connect(Shape5, &TShape::mouseDown, this, [this](auto& a) { Shape5MouseDown(Shape5, a); });

    for (QTimer* timer : {Timer1, Timer2}) {
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(kFrameInterval);
    }
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(Timer1); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(Timer2); });
    // The frame timer is enabled from creation; FormCreate starts the intro timer. Neither
    // ticks before the event loop runs.
    Timer1->start();
}

void TForm1::FormCreate(QObject*) {
    setWindowState(Qt::WindowNoState);
    move(startOnScreen());
    Button1Click(this);
    Canvas& canvas = Image1->canvas();
    canvas.setPenColour(colours::black);
    canvas.setBrushColour(colours::black);
    canvas.Rectangle(0, 0, width(), height());
    resize(kWindowWidth, kWindowHeight);
    Image2->lower();
    state_.introCounter = 1;
    Timer2->start();
    ScrollBar4Change(this);
}

QPoint TForm1::startOnScreen() const {
    const QRect whole = screen()->geometry(), available = screen()->availableGeometry();
    // What must show: the controls within the window's final 550 x 580 (the drawing area reaches
    // past its right edge); the close mark is among them, at the top right.
    QRect controls;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden()) controls |= child->geometry();
    }
    controls &= QRect(0, 0, kWindowWidth, kWindowHeight);
    const WindowPosition start =
        placeOnScreen({whole.x(), whole.y(), whole.width(), whole.height()},
                      {available.x(), available.y(), available.width(), available.height()},
                      {controls.right() + 1, controls.bottom() + 1});
    return {start.left, start.top};
}

void TForm1::mousePressEvent(QMouseEvent* event) { event->accept(); }

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    // Positions are taken from the global pointer and this window's own idea of where it is,
    // so a move that the window system has not confirmed yet cannot make the window jump.
    const QPoint local = event->globalPosition().toPoint() - pos();
    FormMouseMove(this, event->buttons(), local.x(), local.y());
}

void TForm1::FormMouseMove(QObject*, Qt::MouseButtons Shift, int X, int Y) {
    if (!(Shift & Qt::LeftButton)) return;
    const int top = y() + Y;
    const int left = x() + X;
    move(left, top);
}

void TForm1::Label14Click(QObject*) { QApplication::quit(); }

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    Label14Click(this);
}

void TForm1::Button1Click(QObject*) {
    wake();
    resetGrid(state_, grid_, ScrollBar4->value(), ScrollBar2->value());
    Label7->setCaption(text(state_.currentLayer));
    ScrollBar2->setValue(kZoomPositionAfterReset);
}

void TForm1::ScrollBar4Change(QObject*) {
    wake();
    layOutForSize(state_, grid_, ScrollBar4->value(), ScrollBar2->value());
    Label7->setCaption(text(state_.currentLayer));
    Label10->setCaption(QString::fromStdString(floatToText(state_.gridDepth)));
}

void TForm1::UpDown1Click(QObject*, UpDownButton) {
    wake();
    state_.currentLayer = layerForUpDown(state_, UpDown1->position());
}

void TForm1::Image1MouseDown(QObject*, const MouseEventArgs& args) {
    wake();
    history_.press(state_, grid_, args.x, args.y, recording());
}

void TForm1::Button2Click(QObject*) {
    wake();
    history_.clear(state_, grid_, recording());
}

void TForm1::Button7Click(QObject*) {
    wake();
    history_.fill(state_, grid_, recording());
}

void TForm1::Button3Click(QObject*) {
    wake();
    state_.gridVisible = !state_.gridVisible;
    Button3->setText(state_.gridVisible ? "HIDE GRID" : "SHOW GRID");
}

void TForm1::Button4Click(QObject*) {
    wake();
    state_.eraseMode = !state_.eraseMode;
    Button4->setText(state_.eraseMode ? "ERASE IS ON" : "ERASE IS OFF");
}

// LOAD and SAVE are placeholders that do nothing.
void TForm1::Button5Click(QObject*) {}
void TForm1::Button6Click(QObject*) {}

void TForm1::Button11Click(QObject*) {
    if (!Form2) return;
    Form2->show();
    Form2->raise();
    Form2->activateWindow();
}

void TForm1::ShapeMouseDown(QObject*, ColourCode code) {
    wake();
    state_.currentColour = static_cast<int32_t>(code);
    state_.eraseMode = false;
    Button4->setText("ERASE IS OFF");
}

void TForm1::Shape1MouseDown(QObject* s, const MouseEventArgs&) {
    ShapeMouseDown(s, ColourCode::Yellow);
}
void TForm1::Shape2MouseDown(QObject* s, const MouseEventArgs&) {
    ShapeMouseDown(s, ColourCode::Lime);
}
void TForm1::Shape3MouseDown(QObject* s, const MouseEventArgs&) {
    ShapeMouseDown(s, ColourCode::Aqua);
}
void TForm1::Shape4MouseDown(QObject* s, const MouseEventArgs&) {
    ShapeMouseDown(s, ColourCode::Fuchsia);
}
void TForm1::Shape5MouseDown(QObject* s, const MouseEventArgs&) {
    ShapeMouseDown(s, ColourCode::Red);
}

void TForm1::Timer1Timer(QObject*) {
    if (Timer1->interval() != kFrameInterval) Timer1->setInterval(kFrameInterval);
    const int32_t paintedBefore = state_.cycleTicks;
    colourCycleStep(state_, grid_, Timer2->isActive());
    if (state_.cycleTicks != paintedBefore) ++changes_;  // the animation painted every cell
    Label10->setCaption(QString::fromStdString(floatToText(state_.gridDepth)));
    Label11->setCaption(text(ScrollBar2->value()));
    updateExtents(state_, ScrollBar4->value(), ScrollBar2->value());
    Label7->setCaption(text(state_.currentLayer));
    // Nothing has changed the picture since the last frame unless the change count or the view
    // moved: the grid is not compared, nor the counts made again (they follow from the same).
    const bool redraw = !lastFrame_.unchanged(state_, grid_, changes_, width(), height(), look_);
    if (redraw) {
        // Only where the frame can differ from the last: at once for a press or a stroke.
        renderer_.draw(Image1->canvas().target(), state_, grid_, width(), height(),
                       lastFrame_.changedArea(), look_);
        ++framesDrawn_;
        Button10Click(this);
        Image1->showChanges(
            lastFrame_.changedArea());  // the picture first: the count labels' layout can wait
    }
    for (int code = 1; code <= kColourCount; ++code) {
        const auto colour = static_cast<ColourCode>(code);
        countLabel(colour)->setCaption(text(state_.countOf(colour)));
    }
    if (redraw) emit frameDrawn();
    // Once the animation is over, a tick that found nothing to draw changed nothing at all
    // (labels and counts follow from what the picture depends on); neither will the next, until
    // a handler changes something and wakes the timer.
    if (!redraw && !Timer2->isActive() && animationFinished(state_)) {
        Timer1->stop();
        emit resting();
    }
}

void TForm1::wake() {
    emit changing();
    ++changes_;
    // The first tick comes as soon as the event loop is free, so that the change shows at once;
    // the tick goes back to the 10 ms cadence.
    if (!Timer1->isActive()) Timer1->start(0);
}

void TForm1::setLook(Look look) {
    wake();
    look_ = look;
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    wake();  // the window's size bounds the clearing
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first frame, too, as soon as the window is there.
    if (framesDrawn_ == 0 && Timer1->isActive()) Timer1->start(0);
    wake();
}

TLabel* TForm1::countLabel(ColourCode code) const {
    switch (code) {
        case ColourCode::Yellow:
            return Label1;
        case ColourCode::Lime:
            return Label2;
        case ColourCode::Aqua:
            return Label4;
        case ColourCode::Fuchsia:
            return Label8;
        case ColourCode::Red:
            return Label9;
    }
    return Label1;  // no other code exists
}

TShape* TForm1::swatch(ColourCode code) const {
    TShape* const swatches[kColourCount] = {Shape1, Shape2, Shape3, Shape4, Shape5};
    return swatches[static_cast<int>(code) - 1];
}

void TForm1::Button10Click(QObject*) { recount(state_, grid_); }
void TForm1::Timer2Timer(QObject*) {
    const bool goesOn = introTick(state_);
    ScrollBar1->setValue(state_.introCounter);
    if (!goesOn) Timer2->stop();
}

Recording TForm1::recording() const {
    return animationFinished(state_) ? Recording::On : Recording::Off;
}
