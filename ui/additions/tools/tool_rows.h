#pragma once
// The drawing tools, one row each: the key that chooses it, its name and what it does, how a
// press works with it, what its steps are called, which cells it changes and the sign on its
// pointer. The gestures (ui/tools.h) ask the row; a new tool is a row here and the function of
// model/layer_tools.h that gives its cells.
#include <Qt>
#include <span>

#include "model/cube_under.h"
#include "model/history.h"
#include "model/layer_tools.h"

class QPainterPath;

// How a press, a drag and a release on the drawing area work with a tool.
enum class Gesture {
    Press,     // one cell at the press; without the mirror, the window's own press
    Stroke,    // every cell passed over while the button stays down, one step at the release
    TwoCells,  // the cells from the press to the release (or a marked start to the cursor)
    Fill,      // the cells given from the pressed one; none when it has the colour already
    Pick,      // the pressed cube's colour becomes the current one; back to the tool before
    OnCube,    // the cube the picture shows under the pointer, whatever its layer
};
// What a tool acting on the cube under the pointer does where no cube is: the place tool's
// press, or nothing; and whether a drag goes on to every cube passed over.
enum class OffCube { Place, Nothing };
enum class CubeDrag { PressOnly, EveryCube };

// How the cells a two-cell tool will change are outlined while it is dragged.
enum class PendingOutline { EachCell, AroundAll };
// Whether the sign on a tool's pointer is filled or drawn as lines only.
enum class SignFill { Lines, Filled };

struct ToolRow {
    Qt::Key key;
    const char* name;         // as said and shown: "flood fill"
    const char* description;  // what a press does with it, as the key's description
    Gesture gesture;
    kadro::StepName step;  // what the history calls its steps
    const char* stepSaid;  // how a step is said: "Flood fill: 5 cells now red"
    // Two cells and fill: the cells that change on `layer` (of the block of `size`) for a gesture
    // from `from` to `to` (the same cell for a fill).
    kadro::LayerCells (*cells)(const kadro::LayerCodes& layer, int size, kadro::LayerCell from,
                               kadro::LayerCell to);
    PendingOutline pending;
    // The sign below right of the pointer's cross, in a 24-pixel square; none for no function.
    void (*sign)(QPainterPath& path);
    SignFill fill;
    // On a cube: the cell changed for a press on a cube's face.
    kadro::CubeCell (*onCube)(const kadro::CubeFace& face) = nullptr;
    OffCube offCube = OffCube::Nothing;
    CubeDrag cubeDrag = CubeDrag::PressOnly;
};

// Every tool, in the order their keys are listed; the first is the tool at start.
std::span<const ToolRow> toolRows();
