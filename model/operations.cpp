#include "model/operations.h"

namespace kadro {

namespace {

struct Cell {
    int column, row, layer;
};

template <typename Map>
Design mapped(const Design& block, Map destination) {
    const int n = block.size;
    Design out;
    out.size = n;
    for (int c = 0; c < n; ++c) {
        for (int r = 0; r < n; ++r) {
            for (int l = 1; l <= n; ++l) {
                const Cell to = destination(Cell{c, r, l});
                out.codes[blockIndex(n, to.column, to.row, to.layer)] =
                    block.codes[blockIndex(n, c, r, l)];
            }
        }
    }
    return out;
}

}  // namespace

Design blockOf(const CellGrid& grid, int size) {
    Design block;
    block.size = size;
    size_t i = 0;
    forEachCell(block.block(), grid, [&](const GridCell& cell) {
        block.codes[i++] = static_cast<uint8_t>(cell.colour);
    });
    return block;
}

StepName stepName(Turn turn) {
    switch (turn) {
        case Turn::RightToFront:
            return StepName::TurnRightToFront;
        case Turn::LeftToFront:
            return StepName::TurnLeftToFront;
        case Turn::TopToFront:
            return StepName::TipTopToFront;
        case Turn::BottomToFront:
            return StepName::TipBottomToFront;
        case Turn::Flip:
            return StepName::Flip;
    }
    return StepName::Flip;
}

Design turned(const Design& block, Turn turn) {
    const int n = block.size;
    switch (turn) {
        case Turn::RightToFront:
            return mapped(block, [n](Cell x) { return Cell{x.layer - 1, x.row, n - x.column}; });
        case Turn::LeftToFront:
            return mapped(block, [n](Cell x) { return Cell{n - x.layer, x.row, x.column + 1}; });
        case Turn::TopToFront:
            return mapped(block, [n](Cell x) { return Cell{x.column, x.layer - 1, n - x.row}; });
        case Turn::BottomToFront:
            return mapped(block, [n](Cell x) { return Cell{x.column, n - x.layer, x.row + 1}; });
        case Turn::Flip:
            return mapped(block, [n](Cell x) { return Cell{n - 1 - x.column, x.row, x.layer}; });
    }
    return block;
}

std::optional<Design> shifted(const Design& block, Side side) {
    const int n = block.size;
    const int dc = side == Side::Right ? 1 : side == Side::Left ? -1 : 0;
    const int dr = side == Side::Top ? 1 : side == Side::Bottom ? -1 : 0;
    const int dl = side == Side::Back ? 1 : side == Side::Front ? -1 : 0;
    Design out;
    out.size = n;
    for (int c = 0; c < n; ++c) {
        for (int r = 0; r < n; ++r) {
            for (int l = 1; l <= n; ++l) {
                const uint8_t code = block.codes[blockIndex(n, c, r, l)];
                if (code == 0) continue;
                const int c2 = c + dc, r2 = r + dr, l2 = l + dl;
                if (c2 < 0 || c2 >= n || r2 < 0 || r2 >= n || l2 < 1 || l2 > n) return std::nullopt;
                out.codes[blockIndex(n, c2, r2, l2)] = code;
            }
        }
    }
    return out;
}

Design layerCopied(const Design& block, int from, int to) {
    Design out = block;
    for (int c = 0; c < block.size; ++c)
        for (int r = 0; r < block.size; ++r)
            out.codes[blockIndex(block.size, c, r, to)] =
                block.codes[blockIndex(block.size, c, r, from)];
    return out;
}

Design recoloured(const Design& block, uint8_t from, uint8_t to) {
    Design out = block;
    const size_t cells = static_cast<size_t>(block.size) * block.size * block.size;
    for (size_t i = 0; i < cells; ++i)
        if (out.codes[i] == from && from != 0) out.codes[i] = to;
    return out;
}

}  // namespace kadro
