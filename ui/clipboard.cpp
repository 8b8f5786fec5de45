#include "ui/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <string_view>

#include "model/animation.h"
#include "model/design_text.h"
#include "model/parts_list.h"
#include "ui/Unit1.h"

using namespace kadro;

Clipboard::Clipboard(TForm1& form, ViewState& state, CellGrid& grid)
    : QObject(&form), form_(form), state_(state), grid_(grid) {}

void Clipboard::copyPartsListAndDesign() {
    const PartsList list = partsList(state_, grid_);
    const std::string design = designText(state_, grid_);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(partsListText(list) + "\n" + design));
    data->setHtml(QString::fromStdString(partsListHtml(list) + designHtml(state_, grid_)));
    data->setData(kDesignMimeType, QByteArray::fromStdString(design));
    QGuiApplication::clipboard()->setMimeData(data);
}

void Clipboard::copyPicture() {
    QGuiApplication::clipboard()->setImage(imageOf(form_.Image1->canvas().target()).copy());
}

void Clipboard::pasteDesign() {
    // History starts with the animation's last pattern, which would overwrite a paste anyway.
    if (refusing_ || !animationFinished(state_)) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    // The list of types is asked for once: with a clipboard owner that never answers, each
    // question waits out Qt's timeout, and an unanswered list is asked for again every time.
    const QStringList types = data ? data->formats() : QStringList();
    QByteArray text;
    if (types.contains(kDesignMimeType)) {
        text = data->data(kDesignMimeType);
    } else if (types.contains("text/plain")) {
        text = data->text().toUtf8();
    }
    const DesignReading reading = readDesign(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    if (!reading.ok) {
        refuse(QString::fromStdString(reading.error));
        return;
    }
    // When the size already is the design's, the bar does not move and the layer stays.
    form_.ScrollBar4->setValue(reading.design.size);
    form_.wake();
    form_.history().paint(reading.design.block(), grid_, reading.design.codes.data());
}

void Clipboard::refuse(const QString& why) {
    refusing_ = true;
    QMessageBox box(QMessageBox::Warning, "KADRO", why, QMessageBox::Ok, &form_);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    refusing_ = false;
}
