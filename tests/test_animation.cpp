#include <gtest/gtest.h>

#include "model/recount.h"
#include "model/animation.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

TEST(Animation, IntroRunsThirtyNineTicksFromOne) {
    ViewState state;
    state.introCounter = 1;
    int ticks = 0;
    while (introTick(state)) ++ticks;
    EXPECT_EQ(ticks + 1, 39);
    EXPECT_EQ(state.introCounter, 40);
}

TEST(Animation, NoPassWhileTheIntroRunsButThePhaseAdvances) {
    SceneModel scene(10);
    EXPECT_EQ(scene.state.cyclePhase, 2);
    const int expected[] = {3, 4, 5, 0, 1, 2, 3};
    for (int phase : expected) {
        colourCycleStep(scene.state, *scene.grid, true);
        EXPECT_EQ(scene.state.cyclePhase, phase);
    }
    EXPECT_EQ(scene.state.cycleTicks, 0);
    scene.forEachCell([](int, int, int, GridCell& cell) { ASSERT_EQ(cell.colour, 0.0f); });
}

TEST(Animation, PassColoursFollowTheDiagonalsFromThePhase) {
    const struct {
        int phase;
        int column, row, layer;
        float colour;
    } cells[] = {{3, 0, 0, 0, 3}, {3, 0, 0, 1, 4}, {3, 0, 0, 2, 5}, {3, 0, 0, 3, 1}, {3, 0, 1, 0, 4},
                 {3, 1, 0, 0, 4}, {0, 0, 0, 0, 0}, {0, 0, 0, 1, 1}, {0, 0, 0, 2, 2}, {5, 0, 0, 0, 5},
                 {5, 0, 0, 1, 1}};
    for (const auto& c : cells) {
        SceneModel scene(10);
        scene.state.cyclePhase = c.phase;
        colourCycleStep(scene.state, *scene.grid, false);
        EXPECT_EQ(scene.grid->at(c.column, c.row, c.layer).colour, c.colour)
            << "phase " << c.phase << " cell " << c.column << "," << c.row << "," << c.layer;
    }
    for (int phase = 0; phase <= 5; ++phase) {
        SceneModel scene(13);
        scene.state.cyclePhase = phase;
        colourCycleStep(scene.state, *scene.grid, false);
        scene.forEachCell([&](int a, int b, int l, GridCell& cell) {
            if (a + b + l == 0 && phase == 0) return;
            ASSERT_EQ(cell.colour, float((phase - 1 + a + b + l + 5) % 5 + 1)) << phase;
            ASSERT_EQ(cell.screenX, anchorX(scene.state, a));
            ASSERT_EQ(cell.screenY, anchorY(scene.state, b));
        });
    }
}

TEST(Animation, ThirteenPassesThenTheLastPatternStays) {
    SceneModel scene(10);
    for (int tick = 0; tick < 13; ++tick) {
        const int32_t phase = scene.state.cyclePhase;
        colourCycleStep(scene.state, *scene.grid, false);
        EXPECT_EQ(scene.grid->at(0, 0, 1).colour, float(phase == 5 ? 1 : phase + 1));
    }
    recount(scene.state, *scene.grid);
    EXPECT_EQ(scene.state.colourCounts, (std::array<int32_t, 5>{200, 200, 200, 200, 200}));
    scene.grid->at(2, 2, 2).colour = 0.0f;  // an edit after the animation stays
    for (int tick = 0; tick < 20; ++tick) colourCycleStep(scene.state, *scene.grid, false);
    EXPECT_EQ(scene.grid->at(2, 2, 2).colour, 0.0f);
    EXPECT_EQ(scene.state.cycleTicks, 13);
}
