#include "model/history.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "model/editing.h"
#include "model/visible_block.h"

namespace kadro {

namespace {

// How a step is written in the log:
//   a cell:  kCell, index (2 bytes, low first), colour before, colour after
//   a block: kBlock, columns, rows, first layer, last layer, colour after, then the colours
//            before of every cell in forEachCell's order, two a byte (low half first)
//   a design: kDesign, columns, rows, first layer, last layer, then the colours before and
//            the colours after, each as a block's
//   a named block: kOperation, as a design with the StepName after the block
enum : uint8_t { kCell = 1, kBlock = 2, kDesign = 3, kOperation = 4 };
constexpr size_t kCellStepBytes = 5;
constexpr size_t kBlockHeaderBytes = 6;
constexpr size_t kDesignHeaderBytes = 5;

uint8_t codeOf(float colour) { return static_cast<uint8_t>(colour); }

size_t cellsIn(const VisibleBlock& block) {
    return static_cast<size_t>(block.columns) * static_cast<size_t>(block.rows) *
           static_cast<size_t>(block.layers());
}

// Whether any of `count` colour codes differs from `code`, eight at a time.
bool anyDiffers(const uint8_t* codes, size_t count, uint8_t code) {
    const uint64_t same = code * 0x0101010101010101u;
    uint64_t differ = 0;
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t eight;
        std::memcpy(&eight, codes + i, sizeof eight);
        differ |= eight ^ same;
    }
    for (; i < count; ++i) differ |= codes[i] ^ code;
    return differ != 0;
}

// Packs `count` colour codes (each below 16) two a byte, the first of each pair in the low
// half: (count + 1) / 2 bytes. Eight codes at a time, by shifts and masks on a 64-bit word.
void packPairs(const uint8_t* codes, size_t count, uint8_t* packed) {
    static_assert(std::endian::native == std::endian::little, "bytes of a word are read low first");
    size_t i = 0;
    for (; i + 8 <= count; i += 8, packed += 4) {
        uint64_t eight;
        std::memcpy(&eight, codes + i, sizeof eight);
        uint64_t pairs =
            (eight | eight >> 4) & 0x00FF00FF00FF00FFu;  // byte 2k: code 2k | code 2k+1 << 4
        pairs = (pairs | pairs >> 8) & 0x0000FFFF0000FFFFu;
        pairs = (pairs | pairs >> 16) & 0x00000000FFFFFFFFu;
        const auto four = static_cast<uint32_t>(pairs);
        std::memcpy(packed, &four, sizeof four);
    }
    for (; i < count; i += 2)
        *packed++ = static_cast<uint8_t>(codes[i] | (i + 1 < count ? codes[i + 1] << 4 : 0));
}

// Colours packed by packPairs, given back to a block's cells.
void unpackInto(const VisibleBlock& block, CellGrid& grid, const uint8_t* packed) {
    size_t i = 0;
    forEachCell(block, grid, [&](GridCell& cell) {
        cell.colour = static_cast<float>(packed[i / 2] >> (i % 2 * 4) & 0xF);
        ++i;
    });
}

enum class Direction { Back, Again };

void apply(const uint8_t* step, CellGrid& grid, Direction direction) {
    if (step[0] == kCell) {
        const int index = step[1] | step[2] << 8;
        GridCell& cell = (&grid.cells[0][0][0])[index];
        cell.colour = static_cast<float>(direction == Direction::Back ? step[3] : step[4]);
        return;
    }
    const VisibleBlock block{step[1], step[2], step[3], step[4]};
    if (step[0] == kDesign || step[0] == kOperation) {
        const size_t packedBytes = (cellsIn(block) + 1) / 2;
        const size_t header = kDesignHeaderBytes + (step[0] == kOperation ? 1 : 0);
        unpackInto(block, grid, step + header + (direction == Direction::Again ? packedBytes : 0));
        return;
    }
    if (direction == Direction::Again) {
        const auto colour = static_cast<float>(step[5]);
        forEachCell(block, grid, [colour](GridCell& cell) { cell.colour = colour; });
        return;
    }
    unpackInto(block, grid, step + kBlockHeaderBytes);
}

}  // namespace

bool EditHistory::press(const ViewState& state, CellGrid& grid, int x, int y, Recording recording) {
    if (recording == Recording::Off) {
        editAt(state, grid, x, y);
        return false;
    }
    GridCell* cell = pressedCell(state, grid, x, y);
    if (!cell) return false;
    reserveStep(kCellStepBytes);
    const float before = cell->colour;
    pressOn(state, *cell);
    if (cell->colour == before) return false;
    dropRedo();
    const auto index = static_cast<uint16_t>(cell - &grid.cells[0][0][0]);
    const uint8_t step[kCellStepBytes] = {kCell, static_cast<uint8_t>(index & 0xFF),
                                          static_cast<uint8_t>(index >> 8), codeOf(before),
                                          codeOf(cell->colour)};
    log_.append(step, kCellStepBytes);
    commit(kCellStepBytes);
    return true;
}

bool EditHistory::clear(const ViewState& state, CellGrid& grid, Recording recording) {
    if (recording == Recording::Off) {
        clearVisibleBlock(state, grid);
        return false;
    }
    return paintBlock(state, grid, 0.0f);
}

bool EditHistory::fill(const ViewState& state, CellGrid& grid, Recording recording) {
    if (recording == Recording::Off) {
        fillVisibleBlock(state, grid);
        return false;
    }
    return paintBlock(state, grid, static_cast<float>(state.currentColour));
}

// One pass over the block paints it and keeps the colours it held, a byte a cell in scratch
// memory; short passes over those bytes, a word at a time, tell whether anything changed and
// pack them into the step.
bool EditHistory::paintBlock(const ViewState& state, CellGrid& grid, float colour) {
    const VisibleBlock block = visibleBlock(state);
    const size_t cells = cellsIn(block);
    if (cells == 0) return false;
    const size_t packedBytes = (cells + 1) / 2;
    reserveStep(kBlockHeaderBytes + packedBytes);
    uint8_t* codes = scratch_.data();
    const int layers = block.layers();
    for (int column = 0; column < block.columns; ++column) {
        for (int row = 0; row < block.rows; ++row) {
            GridCell* run =
                &grid.at(column, row, block.firstLayer);  // the layers lie next to each other
            int k = 0;
            // Four codes to a store: a store per cell besides the painting's own costs more than
            // everything else that recording adds.
            for (; k + 4 <= layers; k += 4) {
                const uint32_t four = uint32_t{codeOf(run[k].colour)} |
                                      uint32_t{codeOf(run[k + 1].colour)} << 8 |
                                      uint32_t{codeOf(run[k + 2].colour)} << 16 |
                                      uint32_t{codeOf(run[k + 3].colour)} << 24;
                run[k].colour = colour;
                run[k + 1].colour = colour;
                run[k + 2].colour = colour;
                run[k + 3].colour = colour;
                std::memcpy(codes + k, &four, sizeof four);
            }
            for (; k < layers; ++k) {
                codes[k] = codeOf(run[k].colour);
                run[k].colour = colour;
            }
            codes += layers;
        }
    }
    const uint8_t after = codeOf(colour);
    if (!anyDiffers(scratch_.data(), cells, after)) return false;

    uint8_t* step = newBlockStep(kBlock, block);
    step[5] = after;
    packPairs(scratch_.data(), cells, step + kBlockHeaderBytes);
    log_.append(step, kBlockHeaderBytes + packedBytes);
    commit(kBlockHeaderBytes + packedBytes);
    return true;
}

namespace {

size_t paintedStepBytes(size_t cells, StepName name) {
    return kDesignHeaderBytes + (name != StepName::Paste ? 1 : 0) + 2 * ((cells + 1) / 2);
}

}  // namespace

bool EditHistory::readBlock(const VisibleBlock& block, CellGrid& grid, const uint8_t* other) {
    bool differs = false;
    size_t i = 0;
    forEachCell(block, grid, [&](GridCell& cell) {
        scratch_[i] = codeOf(cell.colour);
        differs |= scratch_[i] != other[i];
        ++i;
    });
    return differs;
}

bool EditHistory::paint(const VisibleBlock& block, CellGrid& grid, const uint8_t* codes,
                        Recording recording, StepName name) {
    if (!readBlock(block, grid, codes)) return false;
    if (recording == Recording::On) reserveStep(paintedStepBytes(cellsIn(block), name));
    size_t i = 0;
    forEachCell(block, grid, [&](GridCell& cell) { cell.colour = static_cast<float>(codes[i++]); });
    if (recording == Recording::Off) return false;
    commitPainted(block, name, scratch_.data(), codes);
    return true;
}

bool EditHistory::record(const VisibleBlock& block, CellGrid& grid, const uint8_t* before,
                         StepName name) {
    if (!readBlock(block, grid, before)) return false;
    try {
        reserveStep(paintedStepBytes(cellsIn(block), name));
    } catch (const NotEnoughMemory&) {
        size_t i = 0;
        forEachCell(block, grid,
                    [&](GridCell& cell) { cell.colour = static_cast<float>(before[i++]); });
        throw;
    }
    commitPainted(block, name, before, scratch_.data());
    return true;
}

void EditHistory::commitPainted(const VisibleBlock& block, StepName name, const uint8_t* before,
                                const uint8_t* after) {
    const size_t cells = cellsIn(block);
    const size_t header = kDesignHeaderBytes + (name != StepName::Paste ? 1 : 0);
    uint8_t* step = newBlockStep(name != StepName::Paste ? kOperation : kDesign, block);
    step[5] = static_cast<uint8_t>(name);  // a paste's colours start here and overwrite it
    packPairs(before, cells, step + header);
    packPairs(after, cells, step + header + (cells + 1) / 2);
    const size_t stepBytes = paintedStepBytes(cells, name);
    log_.append(step, stepBytes);
    commit(stepBytes);
}

const char* stepWords(StepName name) {
    // By StepName, in its order.
    static constexpr const char* kWords[] = {
        "paste",       "turn",           "turn",         "tip",
        "tip",         "flip",           "shift",        "layer copy",
        "colour swap", "mirrored click", "brush stroke", "line",
        "rectangle",   "flood fill",     "attach",       "colour"};
    static_assert(std::size(kWords) == static_cast<size_t>(StepName::Colour) + 1);
    const auto index = static_cast<size_t>(name);
    return index < std::size(kWords) ? kWords[index] : "";
}

uint8_t* EditHistory::newBlockStep(uint8_t kind, const VisibleBlock& block) {
    dropRedo();
    uint8_t* step = step_.data();
    step[0] = kind;
    step[1] = static_cast<uint8_t>(block.columns);
    step[2] = static_cast<uint8_t>(block.rows);
    step[3] = static_cast<uint8_t>(block.firstLayer);
    step[4] = static_cast<uint8_t>(block.lastLayer);
    return step;
}

bool EditHistory::undo(CellGrid& grid) {
    if (current_ == 0) return false;
    const uint32_t size = sizes_[current_ - 1];
    log_.copyOut(log_.begin() + undoBytes_ - size, size, step_.data());
    apply(step_.data(), grid, Direction::Back);
    --current_;
    undoBytes_ -= size;
    return true;
}

bool EditHistory::redo(CellGrid& grid) {
    if (current_ == sizes_.size()) return false;
    log_.copyOut(log_.begin() + undoBytes_, sizes_[current_], step_.data());
    apply(step_.data(), grid, Direction::Again);
    undoBytes_ += sizes_[current_];
    ++current_;
    return true;
}

StepSummary EditHistory::summaryAt(size_t offset, size_t size) const {
    uint8_t head[kBlockHeaderBytes] = {};
    log_.copyOut(offset, std::min(size, sizeof head), head);
    if (head[0] == kDesign) return {StepSummary::Kind::Paste};
    if (head[0] == kOperation)
        return {StepSummary::Kind::Operation, 0, 0, 0, 0, 0, static_cast<StepName>(head[5])};
    if (head[0] == kBlock)
        return {
            head[5] == 0 ? StepSummary::Kind::Clear : StepSummary::Kind::Fill, 0, 0, 0, 0, head[5]};
    const int index = head[1] | head[2] << 8;
    // The cell's index in the grid's array, whose last index is the layer.
    return {StepSummary::Kind::Press,
            index / (kGridSide * kGridSide),
            index / kGridSide % kGridSide,
            index % kGridSide,
            head[3],
            head[4]};
}

std::optional<StepSummary> EditHistory::nextUndo() const {
    if (current_ == 0) return std::nullopt;
    const uint32_t size = sizes_[current_ - 1];
    return summaryAt(log_.begin() + undoBytes_ - size, size);
}

std::optional<StepSummary> EditHistory::nextRedo() const {
    if (current_ == sizes_.size()) return std::nullopt;
    return summaryAt(log_.begin() + undoBytes_, sizes_[current_]);
}

void EditHistory::forget() {
    log_.clear();
    sizes_.clear();
    current_ = 0;
    undoBytes_ = 0;
    dropped_ = 0;
}

void EditHistory::dropRedo() {
    log_.dropFrom(log_.begin() + undoBytes_);
    sizes_.shrink(current_);
}

void EditHistory::reserveStep(size_t size) {
    try {
        log_.reserve(log_.begin() + undoBytes_, size);
    } catch (const std::bad_alloc&) {
        throw NotEnoughMemory();
    }
}

void EditHistory::commit(size_t size) {
    sizes_.push_back(static_cast<uint32_t>(size));
    ++current_;
    ++recorded_;
    undoBytes_ += size;
    while (sizes_.size() > kMaxSteps || bytes() > kMaxBytes) {
        log_.dropFront(sizes_.front());
        undoBytes_ -= sizes_.front();
        sizes_.pop_front();
        --current_;
        ++dropped_;
    }
}

}  // namespace kadro
