#include "ui/additions/count_labels.h"

#include <QEvent>
#include <QPainter>

#include "ui/form/Unit1.h"

using namespace kadro;

CountLabels::CountLabels(TForm1& form) : QObject(&form) {
    for (int code = 1; code <= kColourCount; ++code) {
        labels_[code - 1] = form.countLabel(static_cast<ColourCode>(code));
        labels_[code - 1]->installEventFilter(this);
    }
    // The tick writes the counts, and sizes each label to its text, before it announces the frame.
    connect(&form, &TForm1::frameDrawn, this, [this] {
        for (TLabel* label : labels_)
            if (label->width() > kWidest) label->resize(kWidest, label->height());
    });
}

bool CountLabels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    auto* label = static_cast<TLabel*>(watched);
    const int wide = label->sizeHint().width();
    if (wide <= kWidest) return false;  // as designed
    // The designed text, squeezed into the label's width: the glyphs keep their shapes.
    QPainter painter(label);
    painter.fillRect(label->rect(), label->palette().color(label->backgroundRole()));
    painter.setPen(label->palette().color(label->foregroundRole()));
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(static_cast<double>(label->width()) / wide, 1.0);
    painter.drawText(QRect(0, 0, wide, label->height()), static_cast<int>(label->alignment()),
                     label->text());
    return true;
}
