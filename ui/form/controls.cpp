#include "ui/form/controls.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

const char* const kFontFamily = "Liberation Sans";

MouseEventArgs mouseEventArgs(const QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    return {at.x(), at.y()};
}

QImage imageOf(const kadro::PixelBuffer& buffer) {
    return QImage(reinterpret_cast<const uchar*>(buffer.pixels), buffer.width, buffer.height,
                  buffer.stride * 4, QImage::Format_RGB32);
}

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::setCaption(const QString& caption) {
    if (caption == text()) return;
    setText(caption);
    adjustSize();
}

void TLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

bool TMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

qsizetype TMemo::room() const {
    // The selection, which new text replaces, makes room. characterCount() counts the end of the
    // document as one character.
    const QTextCursor cursor = textCursor();
    const qsizetype length =
        document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
    return std::max<qsizetype>(kMaxLength - length, 0);
}

void TMemo::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QString text = source->text();
    const qsizetype space = room();
    if (text.size() > space) {
        text.truncate(space);
        if (!text.isEmpty() && text.back().isHighSurrogate()) text.chop(1);  // no half character
    }
    insertPlainText(text);
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    // Typing, as pasting, stops at the bound; keys that insert nothing still work there.
    const QString typed = event->text();
    const bool inserts =
        !typed.isEmpty() && (typed.front().isPrint() || typed == "\r" || typed == "\t") &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (inserts && typed.size() > room()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().size() > room()) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TMemo::contextMenuEvent(QContextMenuEvent* event) {
    if (menu_) menu_->close();
    menu_ = createStandardContextMenu(event->pos());
    menu_->setAttribute(Qt::WA_DeleteOnClose);
    menu_->popup(event->globalPos());
}

void withoutToolkitMenus(QWidget* root) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (!qobject_cast<TMemo*>(widget) && !qobject_cast<TMemo*>(widget->parentWidget()))
            widget->setContextMenuPolicy(Qt::PreventContextMenu);
    }
}

TShape::TShape(QWidget* parent) : TPressable(parent) {}

void TShape::setBrushColour(const QColor& colour) {
    brush_ = colour;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), brush_);
}

void TPressable::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown(mouseEventArgs(event));
}

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
        arrow->setAttribute(Qt::WA_NoMousePropagation);
    }
    connect(up_, &QToolButton::clicked, this, [this] { click(UpDownButton::Up); });
    connect(down_, &QToolButton::clicked, this, [this] { click(UpDownButton::Down); });
}

void TUpDown::setPosition(int value) { position_ = std::clamp(value, minimum_, maximum_); }

void TUpDown::click(UpDownButton button) {
    setPosition(position_ + (button == UpDownButton::Up ? 1 : -1));
    emit clicked(button);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        click(event->key() == Qt::Key_Up ? UpDownButton::Up : UpDownButton::Down);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

TImage::TImage(QWidget* parent) : TPressable(parent) {}

TImage::~TImage() = default;

kadro::Canvas& TImage::canvas() {
    if (!canvas_) {
        pixels_.assign(static_cast<size_t>(width()) * height(), kadro::colours::black);
        canvas_ = std::make_unique<kadro::Canvas>(
            kadro::PixelBuffer{pixels_.data(), width(), height(), width()});
    }
    return *canvas_;
}

void TImage::showChanges(const kadro::PixelRect& within) {
    const kadro::PixelBuffer& now = canvas().target();
    if (shown_.empty()) {
        shown_.assign(pixels_.begin(), pixels_.end());
        update();
        return;
    }
    // Only the part inside the window shows; the rest is repainted from the canvas when exposed.
    const int visible =
        std::clamp(window()->width() - mapTo(window(), QPoint(0, 0)).x(), 0, now.width);
    const kadro::PixelRect changed =
        kadro::copyChanges({now.pixels, visible, now.height, now.stride},
                           {shown_.data(), visible, now.height, now.stride}, within);
    if (!changed.empty())
        repaint(QRect(QPoint(changed.left, changed.top),
                      QPoint(changed.right - 1, changed.bottom - 1)));
}

void TImage::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (canvas_) {
        painter.drawImage(event->rect(), imageOf(canvas_->target()), event->rect());
        return;
    }
    if (picture_.isNull()) return;
    if (stretch_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
    } else {
        painter.drawImage(0, 0, picture_);
    }
}

void applyLayoutExtras(QWidget* root, const QString& fontFamily) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        const QVariant height = widget->property("fontHeight");
        if (height.isValid()) {
            QFont font(fontFamily);
            font.setPixelSize(height.toInt());
            widget->setFont(font);
        }
        const QVariant colour = widget->property("colour");
        if (colour.isValid()) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::Window, colour.value<QColor>());
            palette.setColor(QPalette::Base, colour.value<QColor>());
            palette.setColor(QPalette::WindowText, Qt::black);
            palette.setColor(QPalette::Text, Qt::black);
            widget->setPalette(palette);
            widget->setAutoFillBackground(true);
        }
        if (auto* label = qobject_cast<TLabel*>(widget)) label->adjustSize();
    }
}
