#include "ui/additions/notice.h"

#include <QPainter>

#include "ui/form/Unit1.h"

namespace {
constexpr int kMargin = 6;   // between the box and the drawing area's visible edges
constexpr int kPadding = 4;  // between the box's edge and the text
}  // namespace

Notice::Notice(TForm1& form) : QWidget(form.Image1) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    hide_.setSingleShot(true);
    hide_.setInterval(kShownMilliseconds);
    connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
}

void Notice::showSentence(const QString& sentence) {
    sentence_ = sentence;
    // A box the width of the text at the top left of the drawing area, within the part the
    // window shows (the drawing area reaches past the window's right edge).
    const QWidget* area = parentWidget();
    const int visibleWidth = area->window()->width() - area->x() - 2 * kMargin;
    const QFontMetrics metrics(font());
    const int width = std::min(metrics.horizontalAdvance(sentence) + 2 * kPadding, visibleWidth);
    setGeometry(kMargin, kMargin, width, metrics.height() + 2 * kPadding);
    update();
    show();
    raise();
    hide_.start();
}

void Notice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(48, 48, 48));
    painter.setPen(Qt::white);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(
        rect().adjusted(kPadding, kPadding, -kPadding, -kPadding), Qt::AlignLeft | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(sentence_, Qt::ElideRight, width() - 2 * kPadding));
}
