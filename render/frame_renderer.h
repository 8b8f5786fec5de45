#pragma once
// The frame of the main window's drawing area: cleared, the visible block drawn back to front in
// the oblique projection, the preview cube on top. Each stack of squares is painted as one span
// a row, and the cells that a nearer cell hides whole are left out.
#include <array>
#include <cstdint>

#include "model/grid.h"
#include "model/projection.h"
#include "model/visible_block.h"
#include "render/canvas.h"
#include "render/frame_look.h"

namespace kadro {

class FrameRenderer {
public:
    // Paints exactly the pixels that drawing every square and grid rectangle back to front with
    // Canvas::Rectangle would: pixels outside the clearing rectangle (0, 0, windowWidth,
    // windowHeight) that nothing paints keep what they held. Only the pixels within `within`
    // are touched: a frame that can differ from the last one only there is drawn there alone.
    // Allocates nothing. With edges, each cube covers the same pixels in the colours of its
    // faces, edged (model/cube_under.h names the faces), and the grid pattern marks only the
    // current layer's empty cells.
    void draw(PixelBuffer target, const ViewState& state, const CellGrid& grid, int windowWidth,
              int windowHeight, const PixelRect& within = kEverywhere, Look look = Look::Designed);

    // A build sheet's picture of the model built up to row `course`: every layer, with edges,
    // without the grid pattern or the preview cube, the rows above left out and, with
    // Fade::Below, the rows below it faded. The whole target is cleared to black first.
    enum class Fade { None, Below };
    void drawCourse(PixelBuffer target, const ViewState& state, const CellGrid& grid, int course,
                    Fade fade);

    // Which cube shows at each pixel of the frame draw() would paint, in place of colours:
    // cellOwner() of its cell where a cube shows, kNoOwner where the preview or nothing does.
    // The grid pattern is left out (a cube seen between its hatch lines shows there). Writes
    // the clearing rectangle and what cubes and the preview cover, as draw() does.
    void drawOwners(PixelBuffer target, const ViewState& state, const CellGrid& grid,
                    int windowWidth, int windowHeight);
    static constexpr Pixel kNoOwner = 0;
    static constexpr Pixel cellOwner(int column, int row, int layer) {
        return 1 + static_cast<Pixel>((column * kGridSide + row) * kGridSide + layer);
    }
    // The same with each face a colour of its own: faceOwner() of the cell and the face (a
    // model Face, as a number) where a cube shows.
    void drawFaceOwners(PixelBuffer target, const ViewState& state, const CellGrid& grid,
                        int windowWidth, int windowHeight);
    static constexpr Pixel faceOwner(int column, int row, int layer, int face) {
        return cellOwner(column, row, layer) * 3 + static_cast<Pixel>(face);
    }

private:
    // Reads the visible block in memory order. True when every cell is anchored by its column,
    // row and layer alone, as the layout pass leaves it; then fills the tables below.
    bool scanCells(const VisibleBlock& block, const CellGrid& grid, double size);
    // The stack of squares of one colour whose anchor is (x0, y0): its union, a span a row.
    void paintCube(int32_t x0, int32_t y0, Pixel colour);
    // The same stack with its faces and edges, in the colours of code `colour`; drawing owners,
    // each face its owner, without edges.
    void paintEdgedCube(int32_t x0, int32_t y0, int colour, int column, int row, int layer);
    // The runs of every row of a stack with edges, the same for every stack of the frame; and
    // for small stacks, each row of it in each colour, ready to copy.
    void tableEdgedRows();
    // The grid rectangle of an empty cell whose anchor is (x0, y0): where its cube's last
    // square would be.
    void paintGridRectangle(int32_t x0, int32_t y0, Pixel pen, Pixel brush);
    void paintPreview(const ViewState& state);
    // True when the stack anchored at (x0, y0) lies wholly outside the clip, a pixel to spare
    // for the truncations. Valid when tabled_.
    bool outside(int32_t x0, int32_t y0) const {
        return x0 + squares_ + side_.up + 2 <= clip_.left || x0 >= clip_.right || y0 <= clip_.top ||
               y0 - squares_ - side_.up - 2 >= clip_.bottom;
    }

    static constexpr int kMaxRise = 512;
    PixelBuffer target_{};
    PixelRect clip_{};      // within the target
    bool partial_ = false;  // the clip is less than the whole target
    bool owners_ = false;   // drawing owners, not colours
    Look look_ = Look::Designed;
    int course_ = -1;  // drawing a course picture: its row
    Fade fade_ = Fade::None;
    // A stack's rows with edges, by the row d above its anchor (2 <= d <= squares + side_.up):
    // up to six runs each, from x0 + offset, of a face (0 front, 1 upper, 2 right), plus
    // kEdgeRun where the run is that face's edge. Valid when edgedTabled_.
    static constexpr uint8_t kEdgeRun = 4;
    struct EdgedRun {
        int16_t offset, length;
        uint8_t kind;
    };
    bool edgedTabled_ = false;
    double edgedSize_ = -1.0;  // the cell size the tables were made for
    std::array<std::array<EdgedRun, 6>, kMaxRise + 1> edgedRuns_{};
    std::array<uint8_t, kMaxRise + 1> edgedRunCount_{};
    // Small stacks: each row in each colour code's face and edge colours, from x0 + spanLeft_[d].
    static constexpr int kTemplateRows = 64, kTemplateWidth = 64;
    bool templated_ = false;
    std::array<Pixel, kColourCount * kTemplateRows * kTemplateWidth> templates_{};
    // The squares of this frame: their number, side, and side as the drawing truncates it
    // (x + side to x + side_.down and y - side to y - side_.up for whole x, y >= 0).
    int squares_ = 0;
    double size_ = 0.0;
    TruncatedSide side_{};
    // Row spans of a stack by the row d above its anchor, 2 <= d <= squares + side_.up: from
    // x0 + spanLeft_[d] to x0 + spanRight_[d], where no coordinate is negative. Valid when
    // tabled_.
    bool tabled_ = false;
    std::array<int32_t, kMaxRise> spanLeft_{}, spanRight_{};

    // Filled by scanCells. Indexed by layer counted from the current one, then by column or
    // row: the stacks' anchors.
    int32_t x0_[kGridSide][kGridSide]{};
    int32_t y0_[kGridSide][kGridSide]{};
    // Per layer and column, bit r for row r: the filled cells; the cells with the anchor of
    // the cell one column right, one row up and two layers nearer, whose grid rectangle that
    // cell hides; and the cells whose cube is hidden by a filled cell along that line.
    uint32_t filled_[kGridSide][kGridSide]{};
    uint32_t lined_[kGridSide][kGridSide]{};
    uint32_t behind_[kGridSide][kGridSide]{};
};

// The pixels a lone stack anchored at (x0, y0) paints, as draw() paints it, unclipped.
PixelRect stackPixels(int32_t x0, int32_t y0, double size);

}  // namespace kadro
