#include "ui/focus.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "model/palette.h"
#include "ui/Unit1.h"

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
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) control_->setFocus(Qt::MouseFocusReason);
        }
        return false;
    }

private:
    QWidget* control_;
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
