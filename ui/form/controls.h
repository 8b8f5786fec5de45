#pragma once
// Small controls for the layouts where Qt has no exact twin: a label that sizes itself to its
// text and reports clicks, a framed colour swatch, an up-down pair of arrows, and an image
// that shows a pixel canvas or a stretched picture.
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

class QPainter;
#include <functional>
#include <memory>
#include <vector>

#include "render/canvas.h"

class QToolButton;

// Where a press landed, in pixels of the control. The handlers act the same for every mouse
// button and modifier, so nothing else of the press is passed on.
struct MouseEventArgs {
    int x;
    int y;
};

class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);
    // Sets the text and resizes the label to fit it, keeping its top-left corner.
    void setCaption(const QString& caption);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A control that takes a press of any mouse button as its mouse-down event.
class TPressable : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void mouseDown(const MouseEventArgs& args);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class TShape : public TPressable {
    Q_OBJECT
    Q_PROPERTY(QColor brushColour READ brushColour WRITE setBrushColour)
public:
    explicit TShape(QWidget* parent = nullptr);
    QColor brushColour() const { return brush_; }
    void setBrushColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_ = Qt::white;
};

enum class UpDownButton { Up, Down };

// Two arrow buttons over each other. Every arrow click moves the position by one within
// minimum..maximum (no wrap) and is reported, also when the position is already at a limit.
// With the keyboard focus, the Up and Down keys press the upper and lower arrow.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int position READ position WRITE setPosition)
public:
    explicit TUpDown(QWidget* parent = nullptr);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }
    void setMinimum(int value) { minimum_ = value; }
    void setMaximum(int value) { maximum_ = value; }
    void setPosition(int value);
    // Presses an arrow as a click would.
    void click(UpDownButton button);

    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

signals:
    void clicked(UpDownButton button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};

// Shows either its own pixel canvas (created on first use, the size of the control) or a
// picture, stretched to the control if asked. A null picture shows nothing.
class TImage : public TPressable {
    Q_OBJECT
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    kadro::Canvas& canvas();
    // Repaints what changed in the canvas since the last call, at once and only that, so a small
    // change reaches the screen before anything else is done; the first call repaints the whole
    // canvas when the event loop next paints. Looks only within `within`: the caller knows
    // that nothing outside it changed.
    void showChanges(const kadro::PixelRect& within);
    void setPicture(const QImage& picture);
    bool hasPicture() const { return !picture_.isNull(); }
    bool stretch() const { return stretch_; }
    void setStretch(bool stretch) { stretch_ = stretch; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<kadro::Pixel> pixels_;
    std::vector<kadro::Pixel> shown_;  // the canvas as last shown by showChanges()
    std::unique_ptr<kadro::Canvas> canvas_;
    QImage picture_;
    bool stretch_ = false;
};

// An editable text box. Pasted or dropped text (keyboard or middle button) is inserted as plain
// text by this class: Qt 6.4's own insertion from the clipboard crashes when the X11 clipboard
// or selection has no owner. The text is kept to kMaxLength characters however it comes in
// (typed, pasted, dropped, through an input method or the edit menu): what would go beyond is
// left out, since laying out one very long line takes time that grows with the square of its
// length and would freeze both windows.
//
// A right press opens the usual edit menu (undo, cut, copy, paste, select all) without a loop of
// its own, so further presses cannot stack menus: a new one replaces the one open.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxLength = 32768;
    explicit TMemo(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Characters that may still come in, the selection counted as room.
    qsizetype room() const;
    QPointer<QMenu> menu_;
};

MouseEventArgs mouseEventArgs(const QMouseEvent* event);

// A pixel buffer seen as an image, without a copy: valid while the buffer is.
QImage imageOf(const kadro::PixelBuffer& buffer);

// The face used for every text of the windows, with the layout's pixel heights.
extern const char* const kFontFamily;

// Takes away the menus that Qt's controls open on a right press (the scroll bar's scrolling menu,
// for one), which the windows' controls do not have: a right press then reaches the control as
// any press, on root and every widget below it but the text box, whose edit menu is kept.
void withoutToolkitMenus(QWidget* root);

// Applies what a layout stores as extra properties: "fontHeight" (pixels) and "colour"
// (background) on the root and every widget below it.
void applyLayoutExtras(QWidget* root, const QString& fontFamily);
