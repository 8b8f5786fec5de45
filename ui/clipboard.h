#pragma once
// The main window's door to the desktop's clipboard, since the program writes no files: Ctrl+C
// copies the parts list with the design, Ctrl+Shift+C the drawing area's picture, and Ctrl+V
// brings a design back. The clipboard is read only on Ctrl+V.
#include <QObject>
#include <QString>
#include <string>

#include "model/grid.h"

class TForm1;

// The type under which Ctrl+C offers the design text alone.
inline constexpr char kDesignMimeType[] = "application/x-kadro-design";

class Clipboard : public QObject {
    Q_OBJECT
public:
    Clipboard(TForm1& form, kadro::ViewState& state, kadro::CellGrid& grid);

    // Plain text: the parts list, an empty line, the design text. HTML: the parts list's table
    // and the build sheet (model/build_sheet.h) with the model's picture. And the design text
    // alone under kDesignMimeType.
    void copyPartsListAndDesign();
    // The drawing area's pixels exactly as drawn, the part past the window's edge included.
    void copyPicture();
    // Reads a design from the clipboard (its design type if offered, else its text). A design
    // moves the size bar to its size, as the user would, then gives the block's cells its
    // colours as one undo step. Anything else changes nothing and says why in a message box.
    // Nothing happens while the start-up animation runs, nor while the message box is open.
    void pasteDesign();

private:
    void refuse(const QString& why);
    std::string pictureFromTheFront() const;

    TForm1& form_;
    kadro::ViewState& state_;
    kadro::CellGrid& grid_;
    bool refusing_ = false;
};
