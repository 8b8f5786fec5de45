#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "model/editing.h"
#include "model/projection.h"
#include "model/recount.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

namespace {

struct At {
    int column, row;
    bool operator==(const At&) const = default;
};
std::ostream& operator<<(std::ostream& out, const At& a) { return out << "(" << a.column << ", " << a.row << ")"; }

At hitAt(const ViewState& state, int x, int y) {
    const auto hit = hitTest(state, x, y);
    EXPECT_TRUE(hit.has_value()) << "press at " << x << ", " << y << " ignored";
    return hit ? At{hit->column, hit->row} : At{-999, -999};
}

// A grid with room around it, so a write past either end lands in a guard and is seen.
struct GuardedGrid {
    static constexpr int kGuardCells = 10 * kGridSide * kGridSide;
    GridCell before[kGuardCells];
    CellGrid grid;
    GridCell after[kGuardCells];
};

}  // namespace

TEST(HitTest, ExamplesAtSizeTen) {
    SceneModel scene(10);
    const ViewState& s = scene.state;
    EXPECT_EQ(hitAt(s, 50, 380), (At{1, 0}));
    EXPECT_EQ(hitAt(s, 11, 399), (At{0, 0}));
    EXPECT_EQ(hitAt(s, 23, 387), (At{0, 0}));
    EXPECT_EQ(hitAt(s, 48, 380).column, 0);
    EXPECT_EQ(hitAt(s, 49, 380).column, 1);
    EXPECT_EQ(hitAt(s, 50, 362).row, 0);
    EXPECT_EQ(hitAt(s, 50, 361).row, 1);
    EXPECT_FALSE(hitTest(s, 10, 399));
    EXPECT_FALSE(hitTest(s, 50, 400));
    EXPECT_FALSE(hitTest(s, 400, 200));
    EXPECT_FALSE(hitTest(s, 200, 9));
    scene.state.currentLayer = 3;
    EXPECT_EQ(hitAt(s, 100, 300), (At{1, 2}));
    scene.state.currentLayer = 2;
    EXPECT_EQ(hitAt(s, 48, 380).row, -1);
}

TEST(HitTest, TheWindowWidensByRoundingOfTheCellSize) {
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        SceneModel scene(size);
        const bool above = size == 9 || size == 11 || size == 15 || size == 17 || size == 18 || size == 19;
        EXPECT_EQ(hitTest(scene.state, 400, 200).has_value(), above) << "size " << size;
        EXPECT_EQ(hitTest(scene.state, 200, 9).has_value(), above) << "size " << size;
    }
    SceneModel nine(9);
    EXPECT_TRUE(hitTest(nine.state, 400, 9));
}

TEST(HitTest, TheTopFaceOfEveryCellSelectsThatCell) {
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        SceneModel scene(size);
        for (int layer = 1; layer <= size; ++layer) {
            scene.state.currentLayer = layer;
            for (int column = 0; column < size; ++column)
                for (int row = 0; row < size; ++row) {
                    const auto [x, y] = topFaceCentre(scene.state, column, row);
                    ASSERT_EQ(hitAt(scene.state, x, y), (At{column, row}))
                        << "size " << size << " layer " << layer << " at " << x << ", " << y;
                }
        }
    }
}

TEST(Editing, PressPlacesTheCurrentColourOrErases) {
    SceneModel scene(10);
    scene.state.currentColour = 4;
    EXPECT_TRUE(editAt(scene.state, *scene.grid, 50, 380));
    EXPECT_EQ(scene.grid->at(1, 0, 1).colour, 4.0f);
    scene.state.currentColour = 2;
    editAt(scene.state, *scene.grid, 50, 380);  // another colour replaces it
    EXPECT_EQ(scene.grid->at(1, 0, 1).colour, 2.0f);
    scene.state.eraseMode = true;
    editAt(scene.state, *scene.grid, 50, 380);
    EXPECT_EQ(scene.grid->at(1, 0, 1).colour, 0.0f);
    editAt(scene.state, *scene.grid, 50, 380);  // erasing an empty cell keeps it empty
    EXPECT_EQ(scene.grid->at(1, 0, 1).colour, 0.0f);
    recount(scene.state, *scene.grid);
    EXPECT_EQ(scene.state.colourCounts, (std::array<int32_t, 5>{0, 0, 0, 0, 0}));
}

TEST(Editing, HitBeyondTheSizeIsWrittenAndShowsOnceTheSizeGrows) {
    SceneModel scene(10);
    EXPECT_TRUE(editAt(scene.state, *scene.grid, 395, 100));
    EXPECT_EQ(scene.grid->at(14, 11, 1).colour, 1.0f);
    recount(scene.state, *scene.grid);
    EXPECT_EQ(scene.state.countOf(ColourCode::Yellow), 0);
    layOutForSize(scene.state, *scene.grid, 15, kZoomPositionAfterReset);
    recount(scene.state, *scene.grid);
    EXPECT_EQ(scene.state.countOf(ColourCode::Yellow), 1);
}

// A hit outside the grid used to be written past the grid's end; it must change nothing.
TEST(Editing, PressOutsideTheGridChangesNothingAtAll) {
    const struct {
        int size, layer, x, y;
    } cases[] = {{20, 1, 399, 20}, {10, 2, 40, 399}, {20, 20, 11, 399}};
    for (const auto& c : cases) {
        SceneModel scene(c.size);
        scene.stripes();
        scene.state.currentLayer = c.layer;
        const auto hit = hitTest(scene.state, c.x, c.y);
        ASSERT_TRUE(hit);
        EXPECT_FALSE(CellGrid::contains(hit->column, hit->row, c.layer));
        auto before = std::make_unique<CellGrid>(*scene.grid);
        const ViewState stateBefore = scene.state;
        EXPECT_FALSE(editAt(scene.state, *scene.grid, c.x, c.y));
        EXPECT_EQ(std::memcmp(before.get(), scene.grid.get(), sizeof(CellGrid)), 0);
        EXPECT_EQ(std::memcmp(&stateBefore, &scene.state, sizeof(ViewState)), 0);
    }
    SceneModel twenty(20);
    EXPECT_EQ(hitAt(twenty.state, 399, 20), (At{29, 28}));
    twenty.state.currentLayer = 20;
    EXPECT_EQ(hitAt(twenty.state, 11, 399), (At{-9, -10}));
}

TEST(Editing, NoPixelOfTheDrawingAreaWritesOutsideTheGrid) {
    auto guarded = std::make_unique<GuardedGrid>();
    std::memset(guarded.get(), 0, sizeof(GuardedGrid));
    ViewState state;
    resetGrid(state, guarded->grid, 10, 1);
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        layOutForSize(state, guarded->grid, size, kZoomPositionAfterReset);
        state.currentColour = 1 + size % 5;
        for (int layer = 1; layer <= size; ++layer) {
            state.currentLayer = layer;
            for (int y = -2; y < 420; ++y)
                for (int x = -2; x < 763; ++x) editAt(state, guarded->grid, x, y);
        }
    }
    for (const GridCell& cell : guarded->before) ASSERT_EQ(cell.colour, 0.0f);
    for (const GridCell& cell : guarded->after) ASSERT_EQ(cell.colour, 0.0f);
}

TEST(Editing, LayerFollowsTheUpDownClampedToTheSize) {
    SceneModel scene(5);
    EXPECT_EQ(layerForUpDown(scene.state, 6), 5);
    EXPECT_EQ(layerForUpDown(scene.state, 5), 5);
    EXPECT_EQ(layerForUpDown(scene.state, 4), 4);
    EXPECT_EQ(layerForUpDown(scene.state, 1), 1);
}

TEST(Editing, ClearAndFillWorkOnExactlyTheVisibleBlock) {
    SceneModel scene(10);
    scene.stripes();
    scene.state.currentLayer = 1;
    clearVisibleBlock(scene.state, *scene.grid);
    scene.forEachCell([](int c, int r, int l, GridCell& cell) {
        const bool visible = c < 10 && r < 10 && l >= 1 && l <= 10;
        ASSERT_EQ(cell.colour, visible ? 0.0f : float((c + r + l) % 5 + 1)) << c << "," << r << "," << l;
    });

    scene.state.currentLayer = 4;
    scene.state.currentColour = 2;
    scene.state.eraseMode = true;  // FILL does not look at it
    fillVisibleBlock(scene.state, *scene.grid);
    recount(scene.state, *scene.grid);
    EXPECT_EQ(scene.state.countOf(ColourCode::Lime), 700);
    scene.state.currentLayer = 6;
    recount(scene.state, *scene.grid);
    EXPECT_EQ(scene.state.countOf(ColourCode::Lime), 500);
    EXPECT_EQ(scene.grid->at(0, 0, 3).colour, 0.0f);
    EXPECT_EQ(scene.grid->at(10, 0, 4).colour, float((10 + 0 + 4) % 5 + 1));
}
