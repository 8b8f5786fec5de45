#include <gtest/gtest.h>

#include <memory>

#include "model/grid.h"
#include "model/recount.h"
#include "scenes.h"

using namespace kadro;

namespace {
struct Counted : kadro::testing::SceneModel {
    Counted() : SceneModel(10) {}
    std::array<int32_t, 5> counts() {
        recount(state, *grid);
        return state.colourCounts;
    }
};
using Counts = std::array<int32_t, 5>;
}  // namespace

TEST(Recount, CountsTheVisibleBlockPerColour) {
    Counted model;
    EXPECT_EQ(model.counts(), (Counts{0, 0, 0, 0, 0}));
    for (int c = 0; c < 10; ++c)
        for (int r = 0; r < 10; ++r)
            for (int l = 4; l <= 10; ++l) model.grid->at(c, r, l).colour = 2.0f;
    EXPECT_EQ(model.counts(), (Counts{0, 700, 0, 0, 0}));
    model.state.currentLayer = 6;
    EXPECT_EQ(model.counts(), (Counts{0, 500, 0, 0, 0}));
    model.state.currentLayer = 10;  // the last layer alone
    EXPECT_EQ(model.counts(), (Counts{0, 100, 0, 0, 0}));
}

TEST(Recount, CubesBeyondTheSizeCountOnlyOnceItGrows) {
    Counted model;
    model.grid->at(9, 9, 1).colour = 1.0f;
    model.grid->at(10, 0, 1).colour = 5.0f;
    EXPECT_EQ(model.counts(), (Counts{1, 0, 0, 0, 0}));
    layOutForSize(model.state, *model.grid, 11, kZoomPositionAfterReset);
    EXPECT_EQ(model.counts(), (Counts{1, 0, 0, 0, 1}));
}

TEST(Recount, LayersInFrontOfTheCurrentOneAndLayerZeroAreNotCounted) {
    Counted model;
    model.grid->at(3, 3, 2).colour = 4.0f;
    model.grid->at(3, 3, 0).colour = 4.0f;
    model.state.currentLayer = 3;
    EXPECT_EQ(model.counts(), (Counts{0, 0, 0, 0, 0}));
    model.state.currentLayer = 2;
    EXPECT_EQ(model.counts(), (Counts{0, 0, 0, 1, 0}));
    model.state.currentLayer = 1;
    EXPECT_EQ(model.counts(), (Counts{0, 0, 0, 1, 0}));
    model.state.currentLayer = 11;  // past the depth: nothing is visited
    EXPECT_EQ(model.counts(), (Counts{0, 0, 0, 0, 0}));
}
