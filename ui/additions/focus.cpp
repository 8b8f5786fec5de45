#include "ui/additions/focus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <memory>

#include "model/palette.h"
#include "ui/form/Unit1.h"
#include "ui/form/Unit2.h"

std::array<QWidget*, 10> focusChain(const TForm1& form) {
    return {form.ScrollBar4, form.UpDown1, form.Button2, form.Button3,  form.Button4,
            form.Button5,    form.Button6, form.Button7, form.Button11, form.Image1};
}

namespace {

// The toolkit gives a control the focus on a press of any button; here only the left button
// does, as only a left press acts on these controls (a right press does nothing there).
class LeftPressFocus : public QObject {
public:
    LeftPressFocus(QObject* parent, QWidget* control) : QObject(parent), control_(control) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                control_->setFocus(Qt::MouseFocusReason);
        }
        return false;
    }

private:
    QWidget* control_;
};

// On Wayland the compositor chooses the window that gets the keys, and weston gives the keys of
// a clicked window to its newest child window instead: with the About window open (the main
// window's child there, so that it opens over it), a click on the main window left the keys, and
// Ctrl+Q, with the About window. So after a press in the main window, until the About window is
// pressed or shown again, keys that reach the About window go to the main window.
class KeysFollowPresses : public QObject {
public:
    explicit KeysFollowPresses(TForm1& form) : QObject(&form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !Form2) return false;
        const QWidget* window = widget->window();
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                if (window == &form_ || window == Form2) mainPressed_ = window == &form_;
                return false;
            case QEvent::Show:
                if (widget == Form2) mainPressed_ = false;
                return false;
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                if (!mainPressed_ || window != Form2) return false;
                QWidget* target = form_.focusWidget() ? form_.focusWidget() : &form_;
                const std::unique_ptr<QEvent> key(event->clone());
                QCoreApplication::sendEvent(target, key.get());
                return true;
            }
            default:
                return false;
        }
    }

private:
    TForm1& form_;
    bool mainPressed_ = false;
};

}  // namespace

void installFocus(TForm1& form) {
    const auto chain = focusChain(form);
    for (QWidget* control : chain) {
        control->setFocusPolicy(Qt::TabFocus);
        if (control == form.Image1) continue;  // a press there edits and leaves the focus alone
        auto* focus = new LeftPressFocus(control, control);
        control->installEventFilter(focus);
        for (QWidget* part : control->findChildren<QWidget*>()) part->installEventFilter(focus);
    }
    for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    form.ScrollBar4->setFocus();
    new FocusFrame(&form);
    if (QGuiApplication::platformName().startsWith("wayland"))
        qApp->installEventFilter(new KeysFollowPresses(form));
}

FocusFrame::FocusFrame(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusFrame::follow(QWidget* focused) {
    if (!focused || focused == parentWidget() || focused->window() != parentWidget()) {
        hide();
        return;
    }
    const QRect around(focused->mapTo(parentWidget(), QPoint(0, 0)), focused->size());
    setGeometry(around.adjusted(-kWidth, -kWidth, kWidth, kWidth));
    raise();
    show();
}

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Yellow, the brightest colour of the palette, on the black window.
    const QColor colour = QColor::fromRgb(kadro::paletteEntry(kadro::ColourCode::Yellow).rgb);
    painter.fillRect(0, 0, width(), kWidth, colour);
    painter.fillRect(0, height() - kWidth, width(), kWidth, colour);
    painter.fillRect(0, 0, kWidth, height(), colour);
    painter.fillRect(width() - kWidth, 0, kWidth, height(), colour);
}
