#pragma once
// Models for whole-frame tests: a fresh grid laid out as after start-up, with helpers to fill it.
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "model/grid.h"

namespace kadro::testing {

struct SceneModel {
    explicit SceneModel(int size) {
        resetGrid(state, *grid, size, 1);
        layOutForSize(state, *grid, size, kZoomPositionAfterReset);
    }
    // Diagonal stripes of the five colours over the whole grid.
    void stripes() {
        forEachCell([](int c, int r, int l, GridCell& cell) { cell.colour = float((c + r + l) % 5 + 1); });
    }
    // Each cell filled with the given chance, in a random colour, from a seed.
    void random(uint32_t seed, double chance) {
        std::mt19937 generator(seed);
        std::uniform_real_distribution<double> coin(0.0, 1.0);
        std::uniform_int_distribution<int> code(1, 5);
        forEachCell([&](int, int, int, GridCell& cell) {
            cell.colour = coin(generator) < chance ? float(code(generator)) : 0.0f;
        });
    }
    template <typename F>
    void forEachCell(F f) {
        for (int c = 0; c < kGridSide; ++c)
            for (int r = 0; r < kGridSide; ++r)
                for (int l = 0; l < kGridSide; ++l) f(c, r, l, grid->at(c, r, l));
    }
    ViewState state;
    std::unique_ptr<CellGrid> grid = std::make_unique<CellGrid>();
};

// The colours of every cell of the fixed grid, in memory order: the part of the model that edits
// and undo change.
inline std::vector<float> coloursOf(const CellGrid& grid) {
    std::vector<float> colours;
    for (const auto& plane : grid.cells)
        for (const auto& line : plane)
            for (const GridCell& cell : line) colours.push_back(cell.colour);
    return colours;
}

}  // namespace kadro::testing
