#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "allocation_hooks.h"
#include "model/editing.h"
#include "model/history.h"
#include "model/projection.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::coloursOf;
using kadro::testing::SceneModel;

namespace {

// A press at the top face of a cell of the current layer.
void pressCell(EditHistory& history, SceneModel& scene, int column, int row) {
    const Point at = topFaceCentre(scene.state, column, row);
    history.press(scene.state, *scene.grid, at.x, at.y);
}

}  // namespace

// Random actions at several sizes and layers; every step back and forth gives the exact colours.
TEST(History, UndoAndRedoGiveBackExactlyTheColoursOfEveryStep) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        SceneModel scene(10);
        scene.random(seed, 0.4);
        std::mt19937 random(seed);
        auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
        EditHistory history;
        std::vector<std::vector<float>> after{coloursOf(*scene.grid)};
        for (int n = 0; n < 600; ++n) {
            switch (pick(0, 9)) {
                case 0: layOutForSize(scene.state, *scene.grid, pick(kMinSize, kMaxSize), kZoomPositionAfterReset); break;
                case 1: scene.state.currentLayer = pick(1, int(scene.state.gridDepth)); break;
                case 2: scene.state.currentColour = pick(1, 5); break;
                case 3: scene.state.eraseMode = !scene.state.eraseMode; break;
                case 4: history.clear(scene.state, *scene.grid); break;
                case 5: history.fill(scene.state, *scene.grid); break;
                default: history.press(scene.state, *scene.grid, pick(0, 550), pick(0, 417)); break;
            }
            if (history.undoSteps() == after.size()) after.push_back(coloursOf(*scene.grid));
            ASSERT_EQ(history.undoSteps() + 1, after.size()) << "one step per changing action, seed " << seed;
        }
        ASSERT_GT(after.size(), 150u);
        const ViewState view = scene.state;
        for (size_t step = after.size() - 1; step > 0; --step) {
            ASSERT_TRUE(history.undo(*scene.grid));
            ASSERT_EQ(coloursOf(*scene.grid), after[step - 1]) << "undo to step " << step - 1 << ", seed " << seed;
        }
        EXPECT_FALSE(history.undo(*scene.grid));
        for (size_t step = 1; step < after.size(); ++step) {
            ASSERT_TRUE(history.redo(*scene.grid));
            ASSERT_EQ(coloursOf(*scene.grid), after[step]) << "redo to step " << step << ", seed " << seed;
        }
        EXPECT_FALSE(history.redo(*scene.grid));
        EXPECT_EQ(std::memcmp(&view, &scene.state, sizeof view), 0) << "undo and redo touch colours only";
    }
}

TEST(History, ActionsThatChangeNothingRecordNoStep) {
    SceneModel scene(10);
    EditHistory history;
    EXPECT_FALSE(history.clear(scene.state, *scene.grid));  // an empty block
    EXPECT_FALSE(history.press(scene.state, *scene.grid, 5, 200));  // outside the accepted window
    SceneModel twenty(20);
    EXPECT_FALSE(history.press(twenty.state, *twenty.grid, 399, 20));  // a hit beyond the grid
    scene.state.eraseMode = true;
    EXPECT_FALSE(history.press(scene.state, *scene.grid, 50, 380));  // erasing an empty cell
    scene.state.eraseMode = false;
    EXPECT_TRUE(history.press(scene.state, *scene.grid, 50, 380));
    EXPECT_FALSE(history.press(scene.state, *scene.grid, 50, 380));  // the colour it already has
    EXPECT_TRUE(history.fill(scene.state, *scene.grid));
    EXPECT_FALSE(history.fill(scene.state, *scene.grid));
    scene.state.currentLayer = 11;  // no layer visible
    EXPECT_FALSE(history.clear(scene.state, *scene.grid));
    EXPECT_EQ(history.undoSteps(), 2u);
}

TEST(History, ANewActionAfterAnUndoDropsWhatCouldBeRedone) {
    SceneModel scene(5);
    EditHistory history;
    pressCell(history, scene, 0, 0);
    pressCell(history, scene, 1, 0);
    pressCell(history, scene, 2, 0);
    ASSERT_TRUE(history.undo(*scene.grid));
    ASSERT_TRUE(history.undo(*scene.grid));
    EXPECT_EQ(history.redoSteps(), 2u);
    scene.state.currentColour = 5;
    pressCell(history, scene, 4, 4);
    EXPECT_EQ(history.redoSteps(), 0u);
    EXPECT_FALSE(history.redo(*scene.grid));
    EXPECT_EQ(scene.grid->at(1, 0, 1).colour, 0.0f);
    EXPECT_EQ(scene.grid->at(4, 4, 1).colour, 5.0f);
    ASSERT_TRUE(history.undo(*scene.grid));
    ASSERT_TRUE(history.undo(*scene.grid));
    EXPECT_EQ(coloursOf(*scene.grid), coloursOf(*SceneModel(5).grid));
}

// Cut-away layers and cells beyond a smaller size are restored all the same.
TEST(History, UndoRestoresCellsThatAreNotShown) {
    SceneModel scene(20);
    scene.stripes();
    const std::vector<float> striped = coloursOf(*scene.grid);
    EditHistory history;
    scene.state.currentLayer = 3;
    ASSERT_TRUE(history.clear(scene.state, *scene.grid));
    layOutForSize(scene.state, *scene.grid, 4, kZoomPositionAfterReset);  // the size shrinks, layer 1
    ASSERT_TRUE(history.undo(*scene.grid));
    EXPECT_EQ(coloursOf(*scene.grid), striped);
}

TEST(History, StaysWithinItsBoundsDroppingTheOldestSteps) {
    SceneModel scene(20);
    EditHistory history;
    // Presses alone: the step count bounds them.
    for (int n = 0; n < 12000; ++n) {
        scene.state.currentColour = 1 + n / 400 % 5;  // a new colour for each round of the 400 cells
        pressCell(history, scene, n % 20, n / 20 % 20);
    }
    EXPECT_EQ(history.undoSteps(), EditHistory::kMaxSteps);
    EXPECT_LT(history.bytes(), 100u * 1024);  // a few bytes a press
    // Full-block CLEAR and FILL in turn: the bytes bound them, about 4 KB a step.
    history.forget();
    const int actions = 5000;
    for (int n = 0; n < actions; ++n) {
        scene.state.currentColour = 1 + n % 5;
        ASSERT_TRUE(n % 2 ? history.clear(scene.state, *scene.grid) : history.fill(scene.state, *scene.grid));
        ASSERT_LE(history.bytes(), EditHistory::kMaxBytes);
        ASSERT_LE(history.undoSteps(), EditHistory::kMaxSteps);
        // The memory held follows the bytes kept, dropped steps' pages given back at once.
        ASSERT_LE(history.heldBytes(), history.bytes() + 2 * StepLog::kPageBytes);
    }
    const size_t kept = history.undoSteps();
    EXPECT_LT(kept, size_t(actions));
    EXPECT_GT(history.bytes(), EditHistory::kMaxBytes - 8192);
    EXPECT_LT(history.bytes() / kept, 4200u);
    // Undoing all that is kept leaves the colours the oldest kept step found.
    while (history.undo(*scene.grid)) {
    }
    const int before = actions - int(kept) - 1;  // the last action dropped
    SceneModel expected(20);
    expected.state.currentColour = 1 + before % 5;
    if (before % 2 == 0) fillVisibleBlock(expected.state, *expected.grid);
    EXPECT_EQ(coloursOf(*scene.grid), coloursOf(*expected.grid));
}

// Out of memory in the middle of an edit once left the block painted with no undo step and the
// redo steps gone: an edit now finds its memory first, and a failure changes nothing at all.
TEST(History, AnEditWithoutMemoryToRecordItChangesNothing) {
    SceneModel scene(20);
    scene.stripes();
    struct Armed {  // every allocation of a page or more fails while armed
        Armed() { kadro::testing::failFrom = StepLog::kPageBytes; }
        ~Armed() { kadro::testing::failFrom = 0; }
    };
    auto expectNothingChanged = [&](EditHistory& history, const std::function<void()>& edit, const char* what) {
        const std::vector<float> before = coloursOf(*scene.grid);
        const size_t undo = history.undoSteps(), redo = history.redoSteps(), bytes = history.bytes();
        {
            Armed armed;
            EXPECT_THROW(edit(), NotEnoughMemory) << what;
        }
        EXPECT_EQ(coloursOf(*scene.grid), before) << what;
        EXPECT_EQ(history.undoSteps(), undo) << what;
        EXPECT_EQ(history.redoSteps(), redo) << what;
        EXPECT_EQ(history.bytes(), bytes) << what;
    };
    // A first step needs the first page.
    EditHistory fresh;
    scene.state.currentColour = 2;
    expectNothingChanged(fresh, [&] { fresh.fill(scene.state, *scene.grid); }, "FILL");
    expectNothingChanged(fresh, [&] { fresh.clear(scene.state, *scene.grid); }, "CLEAR");
    expectNothingChanged(fresh, [&] { pressCell(fresh, scene, 3, 4); }, "press");
    // A pasted design that needs a new page, with a step to redo that it would have dropped.
    EditHistory history;
    for (int n = 0; n < 16; ++n) {  // 16 block steps of 4,006 bytes: most of the first page
        scene.state.currentColour = 1 + n % 5;
        ASSERT_TRUE(history.fill(scene.state, *scene.grid));
    }
    ASSERT_TRUE(history.undo(*scene.grid));
    std::array<uint8_t, 8000> codes{};
    codes.fill(3);  // the block is red: every cell changes
    expectNothingChanged(history, [&] { history.paint({20, 20, 1, 20}, *scene.grid, codes.data()); }, "paste");
    // A block painted already (a brush stroke, here over the whole block) puts its colours before back when it cannot be
    // recorded, so that nothing unrecorded stays.
    const std::vector<float> unpainted = coloursOf(*scene.grid);
    std::array<uint8_t, 8000> layer{};
    size_t i = 0;
    forEachCell({20, 20, 1, 20}, *scene.grid, [&](GridCell& cell) {
        layer[i++] = static_cast<uint8_t>(cell.colour);
        cell.colour = 4.0f;
    });
    {
        Armed armed;
        EXPECT_THROW(history.record({20, 20, 1, 20}, *scene.grid, layer.data(), StepName::BrushStroke),
                     NotEnoughMemory);
    }
    EXPECT_EQ(coloursOf(*scene.grid), unpainted);
    // With memory the same edits go through, and the messages say why in one sentence.
    forEachCell({20, 20, 1, 20}, *scene.grid, [&](GridCell& cell) { cell.colour = 4.0f; });
    const std::vector<float> painted = coloursOf(*scene.grid);
    EXPECT_TRUE(history.record({20, 20, 1, 20}, *scene.grid, layer.data(), StepName::BrushStroke));
    std::array<uint8_t, 8000> same{};
    same.fill(4);
    EXPECT_FALSE(history.record({20, 20, 1, 20}, *scene.grid, same.data(), StepName::BrushStroke));
    EXPECT_EQ(history.nextUndo()->name, StepName::BrushStroke);
    ASSERT_TRUE(history.undo(*scene.grid));
    EXPECT_EQ(coloursOf(*scene.grid), unpainted);
    ASSERT_TRUE(history.redo(*scene.grid));
    EXPECT_EQ(coloursOf(*scene.grid), painted);
    EXPECT_TRUE(history.paint({20, 20, 1, 20}, *scene.grid, codes.data()));
    EXPECT_TRUE(fresh.fill(scene.state, *scene.grid));
    EXPECT_STREQ(NotEnoughMemory().what(), "Not enough memory to record this change; nothing was changed.");
}

// What a screen reader says of an undo or a redo is read from the step: its kind, and for a
// press the cell with its colours before and after.
TEST(History, EachStepTellsWhatItDid) {
    SceneModel scene(5);
    EditHistory history;
    EXPECT_FALSE(history.nextUndo());
    scene.state.currentColour = 5;
    scene.state.currentLayer = 3;
    scene.grid->at(1, 4, 3).colour = 2;
    pressCell(history, scene, 1, 4);
    history.fill(scene.state, *scene.grid);
    history.clear(scene.state, *scene.grid);
    ASSERT_EQ(history.recordedSteps(), 3u);
    using Kind = StepSummary::Kind;
    EXPECT_EQ(history.nextUndo()->kind, Kind::Clear);
    history.undo(*scene.grid);
    EXPECT_EQ(history.nextRedo()->kind, Kind::Clear);
    EXPECT_EQ(history.nextUndo()->kind, Kind::Fill);
    EXPECT_EQ(history.nextUndo()->after, 5);
    history.undo(*scene.grid);
    const StepSummary press = *history.nextUndo();
    EXPECT_EQ((std::vector<int>{int(press.kind == Kind::Press), press.column, press.row, press.layer, press.before, press.after}),
              (std::vector<int>{1, 1, 4, 3, 2, 5}));
    history.undo(*scene.grid);
    EXPECT_FALSE(history.nextUndo());
    EXPECT_EQ(history.recordedSteps(), 3u);  // undoing records nothing
}
