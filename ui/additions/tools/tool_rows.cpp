#include "ui/additions/tools/tool_rows.h"

#include <QPainterPath>
#include <array>

using namespace kadro;

namespace {

LayerCells line(const LayerCodes&, int, LayerCell from, LayerCell to) {
    return lineCells(from, to);
}
LayerCells rectangle(const LayerCodes&, int, LayerCell from, LayerCell to) {
    return rectangleCells(from, to);
}
LayerCells flood(const LayerCodes& layer, int size, LayerCell from, LayerCell) {
    return floodCells(layer, size, from);
}

const std::array kRows = {
    ToolRow{Qt::Key_P, "place", "place one cube (as at start)", Gesture::Press,
            StepName::MirroredPress, "Mirrored click", nullptr, PendingOutline::EachCell, nullptr,
            SignFill::Lines},
    ToolRow{Qt::Key_B, "brush", "paint with a brush while dragged", Gesture::Stroke,
            StepName::BrushStroke, "Brush", nullptr, PendingOutline::EachCell,
            [](QPainterPath& sign) {  // a handle and its tuft
                sign.moveTo(21.5, 12.5);
                sign.lineTo(16.5, 17.5);
                sign.addEllipse(QPointF(15, 19), 2.5, 2.5);
            },
            SignFill::Filled},
    ToolRow{Qt::Key_L, "line", "draw a line from press to release", Gesture::TwoCells,
            StepName::Line, "Line", line, PendingOutline::EachCell,
            [](QPainterPath& sign) {  // a slanted line between two ends
                sign.moveTo(13.5, 21.5);
                sign.lineTo(21.5, 13.5);
                sign.addRect(12, 20, 3, 3);
                sign.addRect(20, 12, 3, 3);
            },
            SignFill::Lines},
    ToolRow{Qt::Key_R, "rectangle", "draw a rectangle from press to release", Gesture::TwoCells,
            StepName::Rectangle, "Rectangle", rectangle, PendingOutline::AroundAll,
            [](QPainterPath& sign) { sign.addRect(13.5, 14.5, 8, 7); }, SignFill::Lines},
    ToolRow{Qt::Key_F, "flood fill", "flood-fill the cells joined to the pressed one",
            Gesture::Fill, StepName::FloodFill, "Flood fill", flood, PendingOutline::EachCell,
            [](QPainterPath& sign) {  // a tipped bucket and a drop
                sign.moveTo(13.5, 14.5);
                sign.lineTo(19.5, 14.5);
                sign.lineTo(18.5, 21.5);
                sign.lineTo(14.5, 21.5);
                sign.closeSubpath();
                sign.addEllipse(QPointF(21.5, 19.5), 1.2, 1.8);
            },
            SignFill::Lines},
    ToolRow{Qt::Key_I, "colour picker", "pick the pressed cube's colour", Gesture::Pick,
            StepName::Paste, "", nullptr, PendingOutline::EachCell,
            [](QPainterPath& sign) {  // a dropper
                sign.moveTo(14.5, 21.5);
                sign.lineTo(20.5, 15.5);
                sign.addEllipse(QPointF(21, 15), 2, 2);
            },
            SignFill::Filled},
    ToolRow{Qt::Key_A, "attach", "put a cube onto the face pressed, whatever its layer",
            Gesture::OnCube, StepName::Attach, "Attach", nullptr, PendingOutline::EachCell,
            [](QPainterPath& sign) {  // a cube and a plus above it
                sign.addRect(13.5, 17.5, 5, 5);
                sign.moveTo(20.5, 11.5);
                sign.lineTo(20.5, 16.5);
                sign.moveTo(18, 14);
                sign.lineTo(23, 14);
            },
            SignFill::Lines, besideFace, OffCube::Place, CubeDrag::PressOnly},
    ToolRow{Qt::Key_C, "colour", "colour the cube pressed, or every cube dragged over",
            Gesture::OnCube, StepName::Colour, "Colour", nullptr, PendingOutline::EachCell,
            [](QPainterPath& sign) {  // a cube, filled
                sign.addRect(14.5, 15.5, 6, 6);
            },
            SignFill::Filled, faceCube, OffCube::Nothing, CubeDrag::EveryCube},
};

}  // namespace

std::span<const ToolRow> toolRows() { return kRows; }
