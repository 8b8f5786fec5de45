#pragma once
// The main window's door to the desktop's clipboard, since the program writes no files: Ctrl+C
// copies the parts list with the design, Ctrl+Shift+C the drawing area's picture, and Ctrl+V
// brings a design back. The clipboard is read only on Ctrl+V.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "model/grid.h"
#include "ui/platform/x11_selection.h"

class QTimer;
class TForm1;

// The type under which Ctrl+C offers the design text alone.
inline constexpr char kDesignMimeType[] = "application/x-kadro-design";

class Clipboard : public QObject {
    Q_OBJECT
public:
    Clipboard(TForm1& form, kadro::ViewState& state, kadro::CellGrid& grid);
    ~Clipboard() override;

    // Plain text: the parts list, an empty line, the design text. HTML: the parts list's table
    // and the build sheet (model/build_sheet.h) with its pictures, made only when a program asks
    // for it, from the model as it was copied. And the design text alone under kDesignMimeType.
    void copyPartsListAndDesign();
    // The drawing area's pixels exactly as drawn, the part past the window's edge included.
    void copyPicture();
    // Reads a design from the clipboard (its design type if offered, else its text). A design
    // moves the size bar to its size, as the user would, then gives the block's cells its
    // colours as one undo step. Anything else changes nothing and says why in a message box.
    // Nothing happens while the start-up animation runs, nor while the message box is open.
    // Another program's X11 clipboard is read without waiting: the design comes a moment later,
    // or after kPasteTimeout a message that its owner did not answer; a Ctrl+V meanwhile is
    // ignored, and said.
    void pasteDesign();

    static constexpr std::chrono::milliseconds kPasteTimeout{5000};
    // How long input waits for a paste under way, to keep its order.
    static constexpr std::chrono::milliseconds kHoldInput{500};

signals:
    void said(const QString& sentence);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pasteWithQt();
    void giveBackInput();
    void pasteAnswer(X11Selection::Outcome outcome, const QByteArray& bytes,
                     const QByteArray& target);
    void paste(const QByteArray& text);
    void refuse(const QString& why);

    TForm1& form_;
    kadro::ViewState& state_;
    kadro::CellGrid& grid_;
    bool refusing_ = false;
    X11Selection* selection_ = nullptr;
    QTimer* holding_ = nullptr;  // how long input waits for the paste
    std::vector<std::pair<QPointer<QWidget>, QEvent*>>
        held_;  // input held while a paste is under way
};
