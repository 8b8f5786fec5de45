#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "model/layer_tools.h"

using namespace kadro;

namespace {

std::vector<std::pair<int, int>> pairs(const LayerCells& cells) {
    std::vector<std::pair<int, int>> out;
    for (const LayerCell& cell : cells) out.emplace_back(cell.column, cell.row);
    return out;
}

}  // namespace

// The line rule pinned on endpoint pairs whose steps fall on halves, which round away from zero.
TEST(LayerTools, LinesFollowTheRuleAndHalvesRoundAwayFromZero) {
    using Cells = std::vector<std::pair<int, int>>;
    EXPECT_EQ(pairs(lineCells({3, 3}, {3, 3})), (Cells{{3, 3}}));
    EXPECT_EQ(pairs(lineCells({0, 0}, {2, 1})), (Cells{{0, 0}, {1, 1}, {2, 1}}));  // 0.5 -> 1
    EXPECT_EQ(pairs(lineCells({2, 1}, {0, 0})), (Cells{{2, 1}, {1, 0}, {0, 0}}));  // -0.5 -> -1
    EXPECT_EQ(pairs(lineCells({0, 0}, {4, 1})), (Cells{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));  // 0.25, 0.5, 0.75
    EXPECT_EQ(pairs(lineCells({5, 2}, {5, 6})), (Cells{{5, 2}, {5, 3}, {5, 4}, {5, 5}, {5, 6}}));
    // Every line, either way round: k + 1 cells, from a to b, each a king's step from the last.
    for (int a = 0; a < 400; a += 7)
        for (int b = 0; b < 400; b += 11) {
            const LayerCell from{a / 20, a % 20}, to{b / 20, b % 20};
            const LayerCells line = lineCells(from, to);
            ASSERT_EQ(line.count, std::max(std::abs(to.column - from.column), std::abs(to.row - from.row)) + 1);
            EXPECT_EQ(line.cells[0], from);
            EXPECT_EQ(line.cells[line.count - 1], to);
            for (int i = 1; i < line.count; ++i) {
                EXPECT_LE(std::abs(line.cells[i].column - line.cells[i - 1].column), 1);
                EXPECT_LE(std::abs(line.cells[i].row - line.cells[i - 1].row), 1);
            }
        }
}

TEST(LayerTools, ARectangleIsTheSameFromEitherCorner) {
    const LayerCells one = rectangleCells({2, 7}, {5, 3}), other = rectangleCells({5, 3}, {2, 7});
    EXPECT_EQ(pairs(one), pairs(other));
    EXPECT_EQ(one.count, 4 * 5);
    EXPECT_EQ(rectangleCells({0, 0}, {19, 19}).count, 400);
}

// The fill against a plain breadth-first search over random layers, and the mirror.
TEST(LayerTools, AFloodFillFindsExactlyTheJoinedCellsOfItsColour) {
    std::mt19937 random(5);
    for (int size : {2, 3, 7, 20}) {
        for (int round = 0; round < 20; ++round) {
            LayerCodes codes{};
            for (int i = 0; i < size * size; ++i) codes[i] = uint8_t(random() % (round % 3 + 2));
            const LayerCell start{int(random() % size), int(random() % size)};
            std::set<std::pair<int, int>> expected{{start.column, start.row}};
            std::deque<std::pair<int, int>> queue{{start.column, start.row}};
            while (!queue.empty()) {
                auto [c, r] = queue.front();
                queue.pop_front();
                for (auto [nc, nr] : {std::pair{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}})
                    if (nc >= 0 && nc < size && nr >= 0 && nr < size &&
                        codes[nc * size + nr] == codes[start.column * size + start.row] && expected.insert({nc, nr}).second)
                        queue.push_back({nc, nr});
            }
            const std::vector<std::pair<int, int>> found = pairs(floodCells(codes, size, start));
            EXPECT_EQ(std::set(found.begin(), found.end()), expected);
            EXPECT_EQ(found.size(), expected.size());  // each once
        }
        const LayerCell cell{1, 0};
        EXPECT_EQ(mirrored(mirrored(cell, size), size), cell);
    }
    EXPECT_EQ(floodCells(LayerCodes{}, 5, {5, 0}).count, 0);
}

// Painting with the mirror leaves a layer that reads the same from either side; cells outside
// the layer are left alone, and the count is of codes that really changed.
TEST(LayerTools, MirroredPaintingIsSymmetricAndCountsOnlyChanges) {
    std::mt19937 random(9);
    for (int size : {2, 5, 20}) {
        LayerCodes codes{};
        LayerCells cells;
        for (int i = 0; i < 30; ++i) cells.add({int(random() % (size + 2)) - 1, int(random() % (size + 2)) - 1});
        const int changed = paintCells(codes, size, cells, 3, Mirror::On);
        int set = 0;
        for (int c = 0; c < size; ++c)
            for (int r = 0; r < size; ++r) {
                EXPECT_EQ(codes[c * size + r], codes[(size - 1 - c) * size + r]) << size;
                set += codes[c * size + r] == 3;
            }
        EXPECT_EQ(changed, set);
        EXPECT_EQ(paintCells(codes, size, cells, 3, Mirror::On), 0);  // again: nothing left to change
        EXPECT_EQ(std::count(codes.begin() + size * size, codes.end(), 3), 0);
    }
}
