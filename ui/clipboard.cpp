#include "ui/clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <memory>
#include <string_view>

#include "model/animation.h"
#include "model/build_sheet.h"
#include "model/design_text.h"
#include "model/parts_list.h"
#include "model/projection.h"
#include "render/frame_renderer.h"
#include "ui/Unit1.h"

using namespace kadro;

Clipboard::Clipboard(TForm1& form, ViewState& state, CellGrid& grid)
    : QObject(&form), form_(form), state_(state), grid_(grid) {}

void Clipboard::copyPartsListAndDesign() {
    const PartsList list = partsList(state_, grid_);
    const std::string design = designText(state_, grid_);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(partsListText(list) + "\n" + design));
    data->setHtml(QString::fromStdString(partsListHtml(list) + buildSheetHtml(state_, grid_, pictureFromTheFront())));
    data->setData(kDesignMimeType, QByteArray::fromStdString(design));
    QGuiApplication::clipboard()->setMimeData(data);
}

// The whole block as a frame draws it from layer 1, cropped to the block, as a PNG data: URL.
std::string Clipboard::pictureFromTheFront() const {
    const PixelBuffer drawn = form_.Image1->canvas().target();
    QImage image(drawn.width, drawn.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    ViewState front = state_;
    front.currentLayer = 1;
    const auto renderer = std::make_unique<FrameRenderer>();
    renderer->draw({reinterpret_cast<Pixel*>(image.bits()), image.width(), image.height(),
                    static_cast<int>(image.bytesPerLine() / sizeof(Pixel))},
                   front, grid_, form_.width(), form_.height());
    const int n = static_cast<int>(state_.gridDepth);
    const CubeBox first = cubeBox(grid_.at(0, 0, 1), state_.cellSize);
    const CubeBox last = cubeBox(grid_.at(n - 1, n - 1, n), state_.cellSize);
    const QRect block = QRect(QPoint(first.left, last.top), QPoint(last.right - 1, first.bottom - 1)).intersected(image.rect());
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    image.copy(block).save(&out, "PNG");
    return "data:image/png;base64," + png.toBase64().toStdString();
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
