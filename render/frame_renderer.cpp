#include "render/frame_renderer.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <cwchar>

#include "model/cube_under.h"
#include "render/frame_look.h"

namespace kadro {

namespace {

// Fills a long run of pixels. The C library's wide-character fill stores 32-bit units with the
// widest stores the processor has, about twice as fast as the compiler's loop on a row of the
// drawing area; for short runs its call costs more than it saves.
void fillLong(Pixel* run, int count, Pixel colour) {
    if constexpr (sizeof(wchar_t) == sizeof(Pixel)) {
        std::wmemset(reinterpret_cast<wchar_t*>(run), static_cast<wchar_t>(colour),
                     static_cast<size_t>(count));
    } else {
        std::fill_n(run, count, colour);
    }
}

// Fills a run of pixels; one of 4 to 32 with 16-byte stores, the last one overlapping the one
// before, so a short run takes a few stores and no loop over single pixels.
inline void fillRun(Pixel* run, int count, Pixel colour) {
    if (count > 32) {
        fillLong(run, count, colour);
        return;
    }
    if (count < 4) {
        for (int i = 0; i < count; ++i) run[i] = colour;
        return;
    }
    using Quad = Pixel __attribute__((vector_size(16)));  // kept in one register
    const Quad quad = {colour, colour, colour, colour};
    for (int i = 0; i + 4 < count; i += 4) std::memcpy(run + i, &quad, sizeof quad);
    std::memcpy(run + count - 4, &quad, sizeof quad);
}

// Calls row(y, left, right) for the rows of a stack of n squares of the given side stepped up
// and right from (x0, y0), clipped to `bounds`, bottom row first: on each row
// the squares' union is one span. Square k (1..n) spans x0 + k .. trunc(x0 + k + size) and
// trunc(y0 - k - size) .. y0 - k. With whole x and y, trunc(v + size) is v + floor(size) where
// the sum is not negative and v + ceil(size) where it is; likewise for v - size.
template <typename Row>
void forEachStackRow(int32_t x0, int32_t y0, int squares, double size, const PixelRect& bounds,
                     Row row) {
    const auto [sizeDown, sizeUp] = truncatedSide(size);
    // A square's edges only move right and up with k, so the squares on a row are a run
    // k = first..last, and the row's span runs from square first's left edge to square last's
    // right edge.
    auto rightOf = [&](int k) { return x0 + k + (x0 + k + size >= 0 ? sizeDown : sizeUp); };
    auto topOf = [&](int k) { return y0 - k - (y0 - k - size >= 0 ? sizeUp : sizeDown); };
    int first = 1;
    for (int y = std::min(y0 - 2, bounds.bottom - 1),
             highest = std::max(topOf(squares), bounds.top);
         y >= highest; --y) {
        while (first <= squares && topOf(first) > y) ++first;
        const int last = std::min(squares, y0 - y - 1);
        if (first > last) continue;
        const int left = std::max(x0 + first, bounds.left);
        const int right = std::min(rightOf(last), bounds.right);
        if (left < right) row(y, left, right);
    }
}

// The diagonal-cross pixels of row y within [from, from + width) of a buffer row: two runs of
// every eighth pixel, (x - y) mod 8 = 0 and (x + y) mod 8 = 7. On at most 16 pixels each run has
// at most two, and the writes that fall outside go to a scratch pixel instead of taking a branch.
inline void paintHatchRow(Pixel* row, int y, int from, int width, Pixel brush) {
    const int down = (y - from) & 7, up = (7 - y - from) & 7;
    if (width <= 16) {
        Pixel scratch;
        *(down < width ? row + from + down : &scratch) = brush;
        *(down + 8 < width ? row + from + down + 8 : &scratch) = brush;
        *(up < width ? row + from + up : &scratch) = brush;
        *(up + 8 < width ? row + from + up + 8 : &scratch) = brush;
        return;
    }
    for (int x = from + down; x < from + width; x += 8) row[x] = brush;
    for (int x = from + up; x < from + width; x += 8) row[x] = brush;
}

// A diagonal-cross rectangle painted over whatever is there, as Canvas::Rectangle paints it,
// within `bounds`.
void paintHatchedRectangleOver(const PixelBuffer& target, const PixelRect& bounds, int x1, int y1,
                               int x2, int y2, Pixel pen, Pixel brush) {
    RectangleArea area;
    if (!clipRectangle(x1, y1, x2, y2, bounds, area)) return;
    int top = area.top, bottom = area.bottom;
    auto line = [&](int y) { return target.pixels + static_cast<long>(y) * target.stride; };
    if (area.isBorderRow(top)) fillRun(line(top) + area.left, area.right - area.left, pen), ++top;
    if (bottom > top && area.isBorderRow(bottom - 1)) {
        --bottom;
        fillRun(line(bottom) + area.left, area.right - area.left, pen);
    }
    for (int y = top; y < bottom; ++y) {
        Pixel* row = line(y);
        if (area.hasLeftBorder()) row[area.left] = pen;
        if (area.hasRightBorder()) row[area.right - 1] = pen;
        paintHatchRow(row, y, area.insideLeft, area.insideRight - area.insideLeft, brush);
    }
}

}  // namespace

void FrameRenderer::paintCube(int32_t x0, int32_t y0, Pixel colour) {
    const PixelBuffer& target = target_;
    const PixelRect& clip = clip_;
    const int rise = squares_ + side_.up;
    if (partial_ && tabled_ && outside(x0, y0)) return;
    if (tabled_ && x0 >= clip.left && x0 + squares_ + side_.down <= clip.right &&
        y0 - rise >= clip.top && y0 - 2 < clip.bottom) {
        Pixel* line = target.pixels + static_cast<long>(y0 - 2) * target.stride + x0;
        for (int d = 2; d <= rise; ++d, line -= target.stride)
            fillRun(line + spanLeft_[d], spanRight_[d] - spanLeft_[d], colour);
        return;
    }
    forEachStackRow(x0, y0, squares_, size_, clip, [&](int y, int left, int right) {
        fillRun(target.pixels + static_cast<long>(y) * target.stride + left, right - left, colour);
    });
}

void FrameRenderer::tableEdgedRows() {
    // The tables depend on the cell size alone: made again only when it changes.
    if (edgedTabled_ && size_ == edgedSize_) return;
    edgedTabled_ = tabled_;
    edgedSize_ = size_;
    templated_ = false;
    if (!edgedTabled_) return;
    // Each row's span and faces, as the model names them (model/cube_under.h), for a stack whose
    // anchor lies far enough from the buffer's edges that no coordinate is negative.
    const int rise = squares_ + side_.up;
    struct Faces {
        int32_t left, split, right;
        int first;  // 0 front, 1 upper, -1 no pixel
    };
    const auto faces = [&](int d) -> Faces {
        if (d < 2 || d > rise) return {0, 0, 0, -1};
        const StackRow row = stackRow(0, rise, squares_, size_, rise - d);
        if (row.empty()) return {0, 0, 0, -1};
        return {row.left, row.split, row.right, row.first == Face::Front ? 0 : 1};
    };
    for (int d = 2; d <= rise; ++d) {
        const Faces row = faces(d), above = faces(d + 1), below = faces(d - 1);
        uint8_t count = 0;
        // A face's run on the row: inside where the same face goes on above and below, its
        // edge elsewhere.
        const auto add = [&](int32_t from, int32_t to, int face, int32_t innerFrom, int32_t innerTo) {
            if (from >= to) return;
            const auto run = [&](int32_t a, int32_t b, uint8_t kind) {
                if (a < b) edgedRuns_[d][count++] = {static_cast<int16_t>(a), static_cast<int16_t>(b - a), kind};
            };
            if (innerFrom >= innerTo) return run(from, to, static_cast<uint8_t>(face | kEdgeRun));
            run(from, innerFrom, static_cast<uint8_t>(face | kEdgeRun));
            run(innerFrom, innerTo, static_cast<uint8_t>(face));
            run(innerTo, to, static_cast<uint8_t>(face | kEdgeRun));
        };
        if (row.first < 0) {
            edgedRunCount_[d] = 0;
            continue;
        }
        int32_t innerFrom = row.left + 1, innerTo = row.split - 1;
        for (const Faces& other : {above, below}) {
            if (other.first != row.first) innerTo = innerFrom;
            innerFrom = std::max(innerFrom, other.left);
            innerTo = std::min(innerTo, other.split);
        }
        add(row.left, row.split, row.first, innerFrom, std::max(innerFrom, innerTo));
        innerFrom = row.split + 1, innerTo = row.right - 1;
        for (const Faces& other : {above, below}) {
            if (other.first < 0) innerTo = innerFrom;
            innerFrom = std::max(innerFrom, other.split);
            innerTo = std::min(innerTo, other.right);
        }
        add(row.split, row.right, 2, innerFrom, std::max(innerFrom, innerTo));
        edgedRunCount_[d] = count;
    }
    // Small stacks, the usual ones, are copied a row at a time from a row drawn once per colour.
    if (rise >= kTemplateRows || squares_ + side_.down > kTemplateWidth) return;
    templated_ = true;
    for (int code = 1; code <= kColourCount; ++code) {
        const Pixel own = colourOfCode(code);
        const Pixel face[3] = {own, lighter(own), darker(own)};
        for (int d = 2; d <= rise; ++d) {
            Pixel* row = &templates_[static_cast<size_t>(((code - 1) * kTemplateRows + d) * kTemplateWidth)];
            for (int i = 0; i < edgedRunCount_[d]; ++i) {
                const EdgedRun& run = edgedRuns_[d][i];
                const Pixel colour = run.kind & kEdgeRun ? edgeColour : face[run.kind & 3];
                std::fill_n(row + (run.offset - spanLeft_[d]), run.length, colour);
            }
        }
    }
}

void FrameRenderer::paintEdgedCube(int32_t x0, int32_t y0, int colour, int column, int row, int layer) {
    const int rise = squares_ + side_.up;
    const Pixel own = colourOfCode(colour);
    const bool fading = course_ >= 0 && fade_ == Fade::Below && row < course_;
    // Off the tables' reach (coordinates below zero, sizes far off the layout, a code that is no
    // colour): its silhouette.
    if (!edgedTabled_ || x0 < 0 || y0 - rise < 0 || colour < 1 || colour > kColourCount) {
        paintCube(x0, y0, owners_ ? cellOwner(column, row, layer) : fading ? faded(own) : own);
        return;
    }
    if (partial_ && outside(x0, y0)) return;
    const PixelRect& clip = clip_;
    const int dLow = std::max(2, y0 - clip.bottom + 1), dHigh = std::min(rise, y0 - clip.top);
    Pixel* line = target_.pixels + static_cast<long>(y0 - dLow) * target_.stride + x0;
    const bool whole = x0 + spanLeft_[2] >= clip.left && x0 + squares_ + side_.down <= clip.right;
    if (templated_ && whole && !fading && !owners_) {
        const Pixel* rows = &templates_[static_cast<size_t>((colour - 1) * kTemplateRows * kTemplateWidth)];
        for (int d = dLow; d <= dHigh; ++d, line -= target_.stride) {
            const int32_t left = spanLeft_[d];
            std::memcpy(line + left, rows + d * kTemplateWidth,
                        static_cast<size_t>(spanRight_[d] - left) * sizeof(Pixel));
        }
        return;
    }
    Pixel colours[8] = {};
    for (uint8_t kind = 0; kind < 3; ++kind) {
        colours[kind] = owners_ ? faceOwner(column, row, layer, kind) : kind == 0 ? own : kind == 1 ? lighter(own) : darker(own);
        colours[kind | kEdgeRun] = owners_ ? colours[kind] : edgeColour;
    }
    if (fading)
        for (Pixel& c : colours) c = faded(c);
    for (int d = dLow; d <= dHigh; ++d, line -= target_.stride) {
        for (int i = 0; i < edgedRunCount_[d]; ++i) {
            const EdgedRun& run = edgedRuns_[d][i];
            const int32_t from = std::max(x0 + run.offset, clip.left) - x0;
            const int32_t to = std::min(x0 + run.offset + run.length, clip.right) - x0;
            if (from < to) fillRun(line + from, to - from, colours[run.kind]);
        }
    }
}

void FrameRenderer::paintGridRectangle(int32_t x0, int32_t y0, Pixel pen, Pixel brush) {
    const PixelBuffer& target = target_;
    const PixelRect& clip = clip_;
    const int32_t x = x0 + squares_, y = y0 - squares_;
    const auto [down, up] = side_;
    if (partial_ && tabled_ && outside(x0, y0)) return;
    if (tabled_ && x >= clip.left && x + down <= clip.right && y - up >= clip.top &&
        y <= clip.bottom && down >= 3 && up >= 3) {
        // Whole and with an inside, so without clipping or border tests: its top and bottom rows
        // in the pen, the rows between with a pen pixel at either end and the hatch between.
        Pixel* row = target.pixels + static_cast<long>(y - up) * target.stride;
        fillRun(row + x, down, pen);
        for (int line = y - up + 1; line < y - 1; ++line) {
            row += target.stride;
            row[x] = pen;
            row[x + down - 1] = pen;
            paintHatchRow(row, line, x + 1, down - 2, brush);
        }
        fillRun(row + target.stride + x, down, pen);
        return;
    }
    paintHatchedRectangleOver(target, clip, x, y, static_cast<int32_t>(x + size_),
                              static_cast<int32_t>(y - size_), pen, brush);
}

void FrameRenderer::paintPreview(const ViewState& state) {
    const PreviewStack preview = previewStack(size_);
    if (!state.eraseMode) {
        const Pixel colour = owners_ ? kNoOwner : colourOfCode(state.currentColour);
        forEachStackRow(kPreviewX, kPreviewY, preview.squares, preview.side, clip_,
                        [&](int y, int left, int right) {
                            fillRun(target_.pixels + static_cast<long>(y) * target_.stride + left,
                                    right - left, colour);
                        });
        return;
    }
    for (int k = 1; k <= preview.squares; ++k) {
        const int32_t x = kPreviewX + k, y = kPreviewY - k;
        paintHatchedRectangleOver(target_, clip_, x, y, static_cast<int32_t>(x + preview.side),
                                  static_cast<int32_t>(y - preview.side),
                                  owners_ ? kNoOwner : previewErasePen,
                                  owners_ ? kNoOwner : previewEraseBrush);
    }
}

bool FrameRenderer::scanCells(const VisibleBlock& block, const CellGrid& grid, double size) {
    const int columns = block.columns, rows = block.rows;
    const int front = block.firstLayer, layers = block.layers();
    if (columns < 1 || columns >= kGridSide || rows < 1 || rows >= kGridSide || front < 1)
        return false;
    // In memory order: the layers of one column and row lie next to each other.
    for (int i = 0; i < layers; ++i) std::fill_n(filled_[i], columns, 0u);
    for (int c = 0; c < columns; ++c) {
        const GridCell* bottom = &grid.at(c, 0, front);
        for (int r = 0; r < rows; ++r) {
            const GridCell* stack = &grid.at(c, r, front);
            const GridCell* left = &grid.at(0, r, front);
            bool moved = false;
            for (int i = 0; i < layers; ++i) {
                const GridCell& cell = stack[i];
                moved |= (cell.layer != static_cast<float>(front + i)) |
                         (cell.screenX != bottom[i].screenX) | (cell.screenY != left[i].screenY);
                filled_[i][c] |= static_cast<uint32_t>(cell.colour != 0.0f)
                                 << r;  // no branch on random data
            }
            if (moved) return false;
        }
    }
    // A course picture leaves out the rows above its course.
    if (course_ >= 0 && course_ + 1 < 32)
        for (int i = 0; i < layers; ++i)
            for (int c = 0; c < columns; ++c) filled_[i][c] &= (uint32_t{1} << (course_ + 1)) - 1;
    for (int i = 0; i < layers; ++i) {
        for (int c = 0; c < columns; ++c) x0_[i][c] = stackAnchor(grid.at(c, 0, front + i), size).x;
        for (int r = 0; r < rows; ++r) y0_[i][r] = stackAnchor(grid.at(0, r, front + i), size).y;
    }
    // A cell two layers back whose anchor is that of the cell one column right and one row up
    // has the same stack and the same grid rectangle. So its cube is hidden when that cell or
    // one further along the line (each with the same anchor) is filled, and its rectangle,
    // whose pixels are all among those of the nearer cell's cube or rectangle, is hidden in
    // any case. Whether anchors agree is a matter of rounding: at some sizes it holds for
    // every cell, at others for some columns and rows only.
    for (int i = 0; i < layers; ++i) {
        uint32_t sameRows = 0;
        for (int r = 0; i >= 2 && r + 1 < rows; ++r)
            sameRows |= static_cast<uint32_t>(y0_[i][r] == y0_[i - 2][r + 1]) << r;
        for (int c = 0; c < columns; ++c) {
            const bool sameColumn = i >= 2 && c + 1 < columns && x0_[i][c] == x0_[i - 2][c + 1];
            lined_[i][c] = sameColumn ? sameRows : 0;
            behind_[i][c] =
                sameColumn ? (behind_[i - 2][c + 1] | filled_[i - 2][c + 1]) >> 1 & sameRows : 0;
        }
    }
    return true;
}

void FrameRenderer::draw(PixelBuffer target, const ViewState& state, const CellGrid& grid,
                         int windowWidth, int windowHeight, const PixelRect& within, Look look) {
    target_ = target;
    look_ = look;
    clip_ = {std::max(within.left, 0), std::max(within.top, 0),
             std::min(within.right, target.width), std::min(within.bottom, target.height)};
    if (clip_.empty()) return;
    partial_ = !(clip_ == PixelRect{0, 0, target.width, target.height});
    RectangleArea clear;
    if (clipRectangle(0, 0, windowWidth, windowHeight, clip_, clear)) {
        for (int y = clear.top; y < clear.bottom; ++y) {
            fillLong(target.pixels + static_cast<long>(y) * target.stride + clear.left,
                     clear.right - clear.left, owners_ ? kNoOwner : colours::black);
        }
    }

    size_ = state.cellSize;
    squares_ = squareCount(size_ * 0.5);
    side_ = truncatedSide(size_);
    const int rise = squares_ + side_.up;
    tabled_ = size_ >= 0 && rise < kMaxRise;
    for (int d = 2; tabled_ && d <= rise; ++d) {
        spanLeft_[d] = std::max(1, d - side_.up);
        spanRight_[d] = std::min(squares_, d - 1) + side_.down;
    }
    if (look_ == Look::Edged) tableEdgedRows();

    // The cells in the drawing order, the back layer first. Where the layout pass put them, the
    // anchors come from the tables and only the cells not hidden are visited.
    const VisibleBlock block = visibleBlock(state);
    const int columns = block.columns, rows = block.rows;
    const bool laidOut = scanCells(block, grid, size_);
    for (int layer = block.lastLayer; layer >= block.firstLayer; --layer) {
        const int index = layer - block.firstLayer;
        const bool evenLayer = isEven(static_cast<float>(layer));
        auto paintCell = [&](int column, int row, StackAnchor anchor) {
            if (course_ >= 0 && row > course_) return;
            const float colour = grid.at(column, row, layer).colour;
            if (colour != 0.0f && look_ == Look::Edged) {
                paintEdgedCube(anchor.x, anchor.y, static_cast<int>(colour), column, row, layer);
            } else if (colour != 0.0f) {
                paintCube(anchor.x, anchor.y,
                          owners_ ? cellOwner(column, row, layer)
                                  : colourOfCode(static_cast<int>(colour)));
            } else if (state.gridVisible &&
                       (look_ == Look::Designed || layer == block.firstLayer)) {
                const GridLook look = gridLook((column & 1) == 0, evenLayer);
                paintGridRectangle(anchor.x, anchor.y, look.pen, look.brush);
            }
        };
        for (int column = 0; column < columns; ++column) {
            if (!laidOut) {
                for (int row = 0; row < rows; ++row)
                    paintCell(column, row, stackAnchor(grid.at(column, row, layer), size_));
                continue;
            }
            // Rows from the bottom: the cubes not hidden, and the grid rectangles of the empty
            // cells without a cell on their line.
            const uint32_t allRows = (uint32_t{1} << rows) - 1;
            const uint32_t filled = filled_[index][column];
            const bool gridShown =
                state.gridVisible && (look_ == Look::Designed || layer == block.firstLayer);
            uint32_t shown = (filled & ~behind_[index][column]) |
                             (gridShown ? allRows & ~filled & ~lined_[index][column] : 0);
            for (; shown; shown &= shown - 1) {
                const int row = std::countr_zero(shown);
                paintCell(column, row, {x0_[index][column], y0_[index][row]});
            }
        }
    }
    if (course_ < 0) paintPreview(state);
}

void FrameRenderer::drawCourse(PixelBuffer target, const ViewState& state, const CellGrid& grid,
                               int course, Fade fade) {
    ViewState whole = state;
    whole.currentLayer = 1;
    whole.gridVisible = false;
    course_ = std::max(course, 0);
    fade_ = fade;
    draw(target, whole, grid, target.width, target.height, kEverywhere, Look::Edged);
    course_ = -1;
}

void FrameRenderer::drawOwners(PixelBuffer target, const ViewState& state, const CellGrid& grid,
                               int windowWidth, int windowHeight) {
    ViewState cubesOnly = state;
    cubesOnly.gridVisible = false;
    owners_ = true;
    draw(target, cubesOnly, grid, windowWidth, windowHeight);
    owners_ = false;
}

void FrameRenderer::drawFaceOwners(PixelBuffer target, const ViewState& state, const CellGrid& grid,
                                   int windowWidth, int windowHeight) {
    ViewState cubesOnly = state;
    cubesOnly.gridVisible = false;
    owners_ = true;
    draw(target, cubesOnly, grid, windowWidth, windowHeight, kEverywhere, Look::Edged);
    owners_ = false;
}

PixelRect stackPixels(int32_t x0, int32_t y0, double size) {
    PixelRect pixels{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    forEachStackRow(x0, y0, squareCount(size * 0.5), size, kEverywhere,
                    [&](int y, int left, int right) {
                        pixels = {std::min(pixels.left, left), std::min(pixels.top, y),
                                  std::max(pixels.right, right), std::max(pixels.bottom, y + 1)};
                    });
    return pixels.empty() ? PixelRect{} : pixels;
}

}  // namespace kadro
