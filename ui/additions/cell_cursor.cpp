#include "ui/additions/cell_cursor.h"

#include <algorithm>

#include "ui/form/Unit1.h"
#include "ui/additions/outline_layer.h"

using namespace kadro;

CellCursor::CellCursor(TForm1& form, const ViewState& state, const CellGrid& grid,
                       OutlineLayer& outlines)
    : QObject(&form), form_(form), state_(state), grid_(grid), outlines_(outlines) {
    connect(form.Image1, &TImage::mouseDown, this, [this] { hide(); });
    connect(&form, &TForm1::frameDrawn, this, [this] { follow(); });
}

void CellCursor::move(int columns, int rows) {
    const int size = static_cast<int>(state_.gridWidth);
    if (!cell_) {
        cell_ = Hit{size / 2, size / 2};
    } else {
        cell_->column += columns;
        cell_->row += rows;
    }
    follow();
    emit changed();
}

void CellCursor::follow() {
    if (!cell_) return;
    const int size = static_cast<int>(state_.gridWidth);
    cell_->column = std::clamp(cell_->column, 0, size - 1);
    cell_->row = std::clamp(cell_->row, 0, size - 1);
    // Exactly where a click changes this cell (the top face of its cube), as the tooltip says.
    const PressArea area = pressArea(state_, cell_->column, cell_->row);
    std::vector<QRect> box;
    if (!area.empty())
        box.emplace_back(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1));
    outlines_.set(OutlineLayer::Owner::CellCursor, std::move(box));
}

void CellCursor::hide() {
    const bool shown = cell_.has_value();
    cell_.reset();
    outlines_.set(OutlineLayer::Owner::CellCursor, {});
    if (shown) emit changed();
}

QRect CellCursor::outline() const {
    const std::vector<QRect>& boxes = outlines_.boxes(OutlineLayer::Owner::CellCursor);
    return boxes.empty() ? QRect() : boxes.front();
}

bool CellCursor::place() {
    if (!cell_) return false;
    follow();
    const Point at = topFaceCentre(state_, cell_->column, cell_->row);
    form_.Image1MouseDown(form_.Image1, {at.x, at.y});
    return true;
}
