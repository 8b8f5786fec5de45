#pragma once
// The keyboard's cell cursor: a cell of the current layer, shown as an outline over the drawing
// area (never drawn into its canvas), moved by the arrow keys, placing at it as a press on that
// cube's top face would. A mouse press on the drawing area hides it: the mouse takes over.
#include <QObject>
#include <QRect>
#include <optional>

#include "model/grid.h"
#include "model/projection.h"

class OutlineLayer;
class TForm1;

class CellCursor : public QObject {
    Q_OBJECT
public:
    CellCursor(TForm1& form, const kadro::ViewState& state, const kadro::CellGrid& grid,
               OutlineLayer& outlines);

    // The cell, if the cursor is shown.
    std::optional<kadro::Hit> cell() const { return cell_; }
    // Shows the cursor at the centre of the block the first time, else moves it by whole cells,
    // held within the block.
    void move(int columns, int rows);
    void hide();
    // Its outline over the drawing area, in its pixels; empty when hidden.
    QRect outline() const;
    // A press at the cursor's cell through the drawing area's handler; nothing when hidden.
    // Returns whether it was shown.
    bool place();

signals:
    // The cursor was shown, moved or hidden: a screen reader says where it is and what the cell
    // holds. (After a frame, what describes the picture follows the frame itself.)
    void changed();

private:
    // Keeps the cell within the block and the outline on it; after every frame, since a size
    // or layer change moves the cube.
    void follow();

    TForm1& form_;
    const kadro::ViewState& state_;
    const kadro::CellGrid& grid_;
    OutlineLayer& outlines_;
    std::optional<kadro::Hit> cell_;
};
