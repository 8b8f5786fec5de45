#pragma once
// The drawing tools: what a press on the drawing area does, by the gesture of the tool chosen
// (ui/tool_rows.h has the tools); M mirrors every change about the block's middle column. Tools
// work on the current layer inside the block at the size in use, each action one step of the
// history (model/layer_tools.h says which cells).
//
// Over the drawing area, never into its canvas: the cell a press would change, for every tool; the
// cells a line or rectangle will change while it is dragged or marked; the mirror's marker.
#include <QCursor>
#include <QObject>
#include <QRect>
#include <optional>
#include <vector>

#include "model/grid.h"
#include "model/layer_tools.h"
#include "ui/additions/tools/tool_rows.h"

class CellCursor;
class QMouseEvent;
class ScreenReaderNames;
class Speech;
class TForm1;
class OutlineLayer;

class Tools : public QObject {
    Q_OBJECT
public:
    Tools(TForm1& form, const kadro::ViewState& state, kadro::CellGrid& grid, CellCursor& cursor,
          Speech& speech, ScreenReaderNames& names, OutlineLayer& outlines);

    const ToolRow& tool() const { return *tool_; }
    bool mirror() const { return mirror_ == kadro::Mirror::On; }
    // The keys' work; nothing during the start-up animation.
    void choose(const ToolRow& tool);
    void toggleMirror();
    // Enter at the cell cursor: the tool acts at its cell (a line or rectangle marks its start,
    // then ends there). Returns whether the cursor was shown.
    bool actAtCursor();
    // Escape: drops a line or rectangle being dragged, a brush stroke under way, or a marked start.
    // Returns whether there was one.
    bool cancel();
    // Any other key while the brush is down ends the stroke first, so that it is one step of its
    // own before whatever the key does.
    void settle();

    // What is outlined over the drawing area, in its pixels: the hovered cell, the cells a line or
    // rectangle will change, and the mirror's marker (empty when not shown).
    QRect hovered() const { return hovered_; }
    const std::vector<QRect>& pending() const { return pending_; }
    QRect marker() const { return marker_; }
    // The marker's width in the window's pixels: plain to see at every size.
    static constexpr int kMarkerWidth = 4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A press, a drag and a release on the drawing area, at its pixels.
    void press(QPoint at);
    void drag(QPoint at);
    void release(QPoint at);

    // The cell of the block that a press at `at` selects, if any.
    std::optional<kadro::LayerCell> cellAt(QPoint at) const;
    int size() const;
    bool ready() const;
    // What a change writes: the current colour, or empty while erasing.
    uint8_t code() const;
    // Whether a press is the window's own: the place tool without the mirror, and every press
    // during the start-up animation.
    bool designedPress() const;
    // Changes `cells` (mirrored too when mirror is on) as one step of the tool, and says so.
    void apply(const kadro::LayerCells& cells);
    // What a tool of one cell does at it: a press, or Enter at the cell cursor.
    void actOn(kadro::LayerCell cell);
    void pick(kadro::LayerCell cell);
    void fill(kadro::LayerCell cell);
    // The cells a two-cell tool from a to b changes.
    kadro::LayerCells shape(kadro::LayerCell a, kadro::LayerCell b) const;

    // A stroke: the layer as it began and as it is painted, changed in the grid as it goes and
    // recorded as one step when it ends (kept), or put back (dropped).
    enum class Ending { Keep, Drop };
    void strokeTo(kadro::LayerCell cell);
    void endStroke(Ending ending);

    // A tool on the cube under the pointer: a press at `at`, and a drag on over cubes.
    void pressCube(QPoint at);
    void strokeCube(QPoint at);
    // Puts a cube of the current colour in `cell` beside a face, as one step, unless the cell lies
    // outside the block or holds a cube; then says why. The layer moves to it when it is cut away.
    void attach(const kadro::CubeFace& face);
    // The drawing area's tooltip for a tool on the cube under the pointer.
    QString cubeTip(int x, int y) const;
    // One cell of the block takes `code`, as one step of the tool.
    void paintOne(const kadro::CubeCell& cell, uint8_t code);
    // Writes what a stroke over cubes began with back into the grid.
    void putBack(const std::vector<uint8_t>& block);

    // Brings the outlines up to date; showTool() the pointer, the name and the tooltip as well.
    void follow();
    void showTool();
    void setPending(const kadro::LayerCells& cells);

    TForm1& form_;
    const kadro::ViewState& state_;
    kadro::CellGrid& grid_;
    CellCursor& cursor_;
    Speech& speech_;
    ScreenReaderNames& names_;
    OutlineLayer& outlines_;
    const QCursor designedCursor_;

    const ToolRow* tool_;
    const ToolRow* beforePicker_;
    kadro::Mirror mirror_ = kadro::Mirror::Off;
    // A drag of a stroke or of two cells on the drawing area (the tool cannot change during it).
    struct Drag {
        int layer;
        int size;
        std::optional<kadro::LayerCell> start;  // two cells: where the press landed
        std::optional<kadro::LayerCell> last;   // a stroke's last cell on the block
        kadro::LayerCodes before;               // a stroke: the layer as it began
        kadro::LayerCodes painted;              // and as it has painted it
        std::vector<uint8_t> block;             // a stroke over cubes: the block as it began
        int cubes = 0;                          // and the cubes it has changed
    };
    std::optional<Drag> drag_;
    bool strokePainting_ = false;           // the stroke's own change is under way
    std::optional<kadro::LayerCell> mark_;  // a two-cell tool's start marked with Enter
    std::optional<QPoint> pointer_;         // over the drawing area
    QRect hovered_;
    std::vector<QRect> pending_;
    QRect marker_;
};
