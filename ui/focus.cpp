#include "ui/focus.h"

#include <QApplication>
#include <QPainter>

#include "model/palette.h"
#include "ui/Unit1.h"

std::array<QWidget*, 10> focusChain(const TForm1& form) {
    return {form.ScrollBar4, form.UpDown1, form.Button2, form.Button3,  form.Button4,
            form.Button5,    form.Button6, form.Button7, form.Button11, form.Image1};
}

void installFocus(TForm1& form) {
    form.ScrollBar4->setFocusPolicy(Qt::StrongFocus);
    form.UpDown1->setFocusPolicy(Qt::StrongFocus);
    form.Image1->setFocusPolicy(Qt::TabFocus);
    const auto chain = focusChain(form);
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
