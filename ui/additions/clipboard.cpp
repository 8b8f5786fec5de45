#include "ui/additions/clipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <memory>
#include <string_view>

#include "model/animation.h"
#include "model/build_sheet.h"
#include "model/design_text.h"
#include "model/parts_list.h"
#include "model/projection.h"
#include "render/frame_renderer.h"
#include "ui/form/Unit1.h"
#include "ui/platform/x11_selection.h"

using namespace kadro;

Clipboard::Clipboard(TForm1& form, ViewState& state, CellGrid& grid)
    : QObject(&form), form_(form), state_(state), grid_(grid) {}

Clipboard::~Clipboard() {
    for (auto& held : held_) delete held.second;
}

namespace {

// A picture drawn by `draw` into a frame of the drawing area's size, cropped to the block (every
// layer of it), as a PNG data: URL.
// The block's box on the drawing area, every layer of it.
QRect blockRect(const ViewState& state, const CellGrid& grid) {
    const int n = static_cast<int>(state.gridDepth);
    const CubeBox first = cubeBox(grid.at(0, 0, 1), state.cellSize);
    const CubeBox last = cubeBox(grid.at(n - 1, n - 1, n), state.cellSize);
    return QRect(QPoint(first.left, last.top), QPoint(last.right - 1, first.bottom - 1))
        .intersected(QRect(0, 0, kDrawingWidth, kDrawingHeight));
}

template <typename Draw>
std::string blockPicture(const ViewState& state, const CellGrid& grid, Draw draw) {
    QImage image(kDrawingWidth, kDrawingHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    draw(PixelBuffer{reinterpret_cast<Pixel*>(image.bits()), image.width(), image.height(),
                     static_cast<int>(image.bytesPerLine() / sizeof(Pixel))});
    const QRect block = blockRect(state, grid);
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    image.copy(block).save(&out, "PNG");
    return "data:image/png;base64," + png.toBase64().toStdString();
}

// What Ctrl+C offers: the plain text and the design at once; the HTML, with the build sheet and
// its pictures, only when a program asks for it, from the model as it was at Ctrl+C, and once.
class CopiedDesign : public QMimeData {
public:
    CopiedDesign(const ViewState& state, const CellGrid& grid)
        : state_(state), grid_(std::make_unique<CellGrid>(grid)) {
        const PartsList list = partsList(state, grid);
        const std::string design = designText(state, grid);
        setText(QString::fromStdString(partsListText(list) + "\n" + design));
        setData(kDesignMimeType, QByteArray::fromStdString(design));
        partsListHtml_ = partsListHtml(list);
    }
    QStringList formats() const override {
        return QMimeData::formats() << QStringLiteral("text/html");
    }
    bool hasFormat(const QString& type) const override {
        return type == QLatin1String("text/html") || QMimeData::hasFormat(type);
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType preferred) const override {
        if (type != QLatin1String("text/html")) return QMimeData::retrieveData(type, preferred);
        if (html_.isEmpty()) html_ = QString::fromStdString(partsListHtml_ + sheet());
        return html_;
    }

private:
    std::string sheet() const {
        const auto renderer = std::make_unique<FrameRenderer>();
        const int courses = sheetCourses(*grid_, static_cast<int>(state_.gridDepth));
        SheetPictures pictures;
        const auto course = [&](int row, FrameRenderer::Fade fade) {
            return blockPicture(state_, *grid_, [&](PixelBuffer target) {
                renderer->drawCourse(target, state_, *grid_, row, fade);
            });
        };
        if (courses > 0) pictures.model = course(courses - 1, FrameRenderer::Fade::None);
        const QRect block = blockRect(state_, *grid_);
        pictures.width = block.width(), pictures.height = block.height();
        for (int row = 0; row < courses; ++row)
            pictures.courses.push_back(course(row, FrameRenderer::Fade::Below));
        return buildSheetHtml(state_, *grid_, pictures);
    }

    const ViewState state_;
    const std::unique_ptr<const CellGrid> grid_;
    std::string partsListHtml_;
    mutable QString html_;
};

}  // namespace

void Clipboard::copyPartsListAndDesign() {
    QGuiApplication::clipboard()->setMimeData(new CopiedDesign(state_, grid_));
}

void Clipboard::copyPicture() {
    QGuiApplication::clipboard()->setImage(imageOf(form_.Image1->canvas().target()).copy());
}

void Clipboard::pasteDesign() {
    // History starts with the animation's last pattern, which would overwrite a paste anyway.
    if (refusing_ || !animationFinished(state_)) return;
    if (selection_ && selection_->busy()) {
        emit said("A paste is already under way");
        return;
    }
    // Another program's X11 clipboard is read on a connection of our own, the window answering
    // meanwhile; the program's own clipboard, and Wayland's, as Qt reads them.
    if (QGuiApplication::platformName() == "xcb" &&
        !QGuiApplication::clipboard()->ownsClipboard()) {
        if (!selection_) {
            selection_ = new X11Selection(this);
            connect(selection_, &X11Selection::done, this, &Clipboard::pasteAnswer);
            holding_ = new QTimer(this);
            holding_->setSingleShot(true);
            connect(holding_, &QTimer::timeout, this, &Clipboard::giveBackInput);
        }
        selection_->read({kDesignMimeType, "UTF8_STRING", "text/plain;charset=utf-8", "STRING"},
                         kPasteTimeout, kMaxDesignTextBytes + 1);
        qApp->installEventFilter(this);
        holding_->start(kHoldInput);
        return;
    }
    pasteWithQt();
}

// For a moment after Ctrl+V, what the user does next in the main window waits for the paste, in
// its order (Ctrl+V then T turns the pasted design); an owner slower than that gets no more, and
// the window answers again. Ctrl+Q ends the program at once, and a second Ctrl+V is said to be
// ignored.
bool Clipboard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            break;
        default:
            return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &form_) return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool quit = key->key() == Qt::Key_Q && key->modifiers() & Qt::ControlModifier;
        if (quit || key->matches(QKeySequence::Paste)) return false;
    }
    held_.emplace_back(widget, event->clone());
    return true;
}

void Clipboard::giveBackInput() {
    holding_->stop();
    qApp->removeEventFilter(this);
    // Given back in its order as the event loop goes on.
    for (auto& [widget, event] : held_) {
        if (widget) {
            QCoreApplication::postEvent(widget, event);
        } else {
            delete event;
        }
    }
    held_.clear();
}

void Clipboard::pasteAnswer(X11Selection::Outcome outcome, const QByteArray& bytes,
                            const QByteArray& target) {
    qApp->removeEventFilter(this);  // keys typed while a message shows go to it
    switch (outcome) {
        case X11Selection::Outcome::NoAnswer:
            refuse(
                "The program holding the clipboard did not answer within 5 s; nothing was pasted.");
            break;
        case X11Selection::Outcome::NoServer:
            pasteWithQt();
            break;
        default:
            // Not offered as text gives no bytes, which the design reader refuses as no design.
            paste(target == "STRING" ? QString::fromLatin1(bytes).toUtf8() : bytes);
    }
    giveBackInput();
}

void Clipboard::pasteWithQt() {
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
    paste(text);
}

void Clipboard::paste(const QByteArray& text) {
    if (!animationFinished(state_)) return;
    const DesignReading reading =
        readDesign(std::string_view(text.constData(), static_cast<size_t>(text.size())));
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
