#include "ui/form/Unit2.h"

#include <QScreen>
#include <QShowEvent>

#include "assets/assets.h"
#include "ui/form/logo.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setupUi(this);
    applyLayoutExtras(this, kFontFamily);
    withoutToolkitMenus(this);
    Image1->setPicture(logoPicture());
    const auto text = kadro::assets::aboutText();
    QString lines = QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                                      static_cast<qsizetype>(text.size()));
    if (lines.endsWith('\n')) lines.chop(1);
    Memo1->setPlainText(lines);
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_ || event->spontaneous()) return;
    placed_ = true;
    // The layout gives the outer size; the window system's frame is known only once shown.
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    resize(kAboutWidth - frame.left() - frame.right(), kAboutHeight - frame.top() - frame.bottom());
    const QRect desktop = screen()->availableGeometry();
    move(desktop.left() + (desktop.width() - kAboutWidth) / 2,
         desktop.top() + (desktop.height() - kAboutHeight) / 2);
}
