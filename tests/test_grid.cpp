#include <gtest/gtest.h>

#include <bit>
#include <memory>

#include "model/grid.h"

using namespace kadro;

namespace {

struct Model {
    ViewState state;
    std::unique_ptr<CellGrid> grid = std::make_unique<CellGrid>();
};

// The program's start: the full reset with the zoom at 1, then the size pass with zoom 10.
Model startedModel(int size = 10) {
    Model model;
    resetGrid(model.state, *model.grid, size, 1);
    layOutForSize(model.state, *model.grid, size, kZoomPositionAfterReset);
    return model;
}

}  // namespace

TEST(Grid, StartUpLeavesSizeTenLaidOut) {
    Model model = startedModel();
    const ViewState& s = model.state;
    EXPECT_EQ(s.gridWidth, 10.0f);
    EXPECT_EQ(s.gridHeight, 10.0f);
    EXPECT_EQ(s.gridDepth, 10.0f);
    EXPECT_EQ(s.cellSize, 26.0f);
    EXPECT_EQ(s.originX, 10);
    EXPECT_EQ(s.originY, 400);
    EXPECT_EQ(s.currentLayer, 1);
    EXPECT_EQ(s.cyclePhase, 2);
    const GridCell& cell = model.grid->at(1, 1, 5);
    EXPECT_EQ(cell.screenX, 23.0f);
    EXPECT_EQ(cell.screenY, 400.0f);
    EXPECT_EQ(model.grid->at(20, 0, 0).screenX, 517.0f);
    EXPECT_EQ(model.grid->at(0, 20, 0).screenY, -94.0f);
}

TEST(Grid, ResetUsesTheZoomOfItsMomentAndEmptiesEverything) {
    Model model;
    model.grid->at(20, 20, 20).colour = 3.0f;
    model.grid->at(0, 0, 0).colour = 5.0f;
    resetGrid(model.state, *model.grid, 10, 1);
    EXPECT_EQ(model.state.cellSize, 2.6f);
    EXPECT_EQ(model.state.cyclePhase, 2);
    for (int c = 0; c < kGridSide; ++c)
        for (int r = 0; r < kGridSide; ++r)
            for (int l = 0; l < kGridSide; ++l) {
                const GridCell& cell = model.grid->at(c, r, l);
                ASSERT_EQ(cell.colour, 0.0f);
                ASSERT_EQ(cell.column, float(c));
                ASSERT_EQ(cell.row, float(r));
                ASSERT_EQ(cell.layer, float(l));
            }
}

TEST(Grid, CellSizeIsTheSingleFloatOfTheDoubleQuotient) {
    // The bit patterns of 130, 86.666664, 37.142857, 26, 20 and 13 as single floats.
    const struct {
        int size;
        uint32_t bits;
    } cases[] = {{2, 0x43020000}, {3, 0x42AD5555}, {7, 0x42149249},
                 {10, 0x41D00000}, {13, 0x41A00000}, {20, 0x41500000}};
    for (const auto& c : cases) {
        ViewState state;
        updateExtents(state, c.size, kZoomPositionAfterReset);
        EXPECT_EQ(std::bit_cast<uint32_t>(state.cellSize), c.bits) << "size " << c.size;
        EXPECT_EQ(state.gridWidth, float(c.size));
        EXPECT_EQ(state.gridDepth, float(c.size));
    }
    ViewState state;
    updateExtents(state, 3, kZoomPositionAfterReset);
    EXPECT_EQ(state.cellSize, 86.666664f);
}

TEST(Grid, SizeChangeKeepsEveryColourAndMovesToLayerOne) {
    Model model = startedModel();
    for (int c = 0; c < kGridSide; ++c)
        for (int r = 0; r < kGridSide; ++r)
            for (int l = 0; l < kGridSide; ++l)
                model.grid->at(c, r, l).colour = float((c + 2 * r + 3 * l) % 6);
    model.state.currentLayer = 7;
    layOutForSize(model.state, *model.grid, 5, kZoomPositionAfterReset);
    EXPECT_EQ(model.state.currentLayer, 1);
    EXPECT_EQ(model.state.cellSize, 52.0f);
    layOutForSize(model.state, *model.grid, 10, kZoomPositionAfterReset);
    for (int c = 0; c < kGridSide; ++c)
        for (int r = 0; r < kGridSide; ++r)
            for (int l = 0; l < kGridSide; ++l)
                ASSERT_EQ(model.grid->at(c, r, l).colour, float((c + 2 * r + 3 * l) % 6));
}

TEST(Grid, EveryCellIsAnchoredForEverySize) {
    Model model = startedModel();
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        layOutForSize(model.state, *model.grid, size, kZoomPositionAfterReset);
        const double cell = model.state.cellSize;
        for (int c = 0; c < kGridSide; ++c)
            for (int r = 0; r < kGridSide; ++r)
                for (int l : {0, 1, 20}) {
                    const GridCell& g = model.grid->at(c, r, l);
                    ASSERT_EQ(g.screenX, float(10 + cell * c - cell * 0.5)) << size;
                    ASSERT_EQ(g.screenY, float(400 - cell * r + cell)) << size;
                }
    }
}
