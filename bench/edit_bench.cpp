// The editing handlers' work with and without recording for undo, on a full 20-block, the undo
// of a full CLEAR, and the design text written, read and pasted. Each iteration changes every cell
// it visits, as a user's action does.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/design_text.h"
#include "model/editing.h"
#include "model/history.h"
#include "model/layer_tools.h"
#include "model/loose.h"
#include "model/operations.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

namespace {

// The top face of cell (3, 4) of layer 1 at size 20.
constexpr int kPressX = 10 + 13 * 3 + 13, kPressY = 400 - 13 * 4 - 13;

std::unique_ptr<SceneModel> fullBlock() {
    auto scene = std::make_unique<SceneModel>(20);
    scene->stripes();
    return scene;
}

void pressPlain(benchmark::State& state) {
    auto scene = fullBlock();
    for (auto _ : state) {
        scene->state.currentColour = 1 + scene->state.currentColour % 5;
        editAt(scene->state, *scene->grid, kPressX, kPressY);
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

void pressRecorded(benchmark::State& state) {
    auto scene = fullBlock();
    EditHistory history;
    for (auto _ : state) {
        scene->state.currentColour = 1 + scene->state.currentColour % 5;
        history.press(scene->state, *scene->grid, kPressX, kPressY);
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

// FILL then CLEAR of the whole block: two handler calls an iteration.
void fillAndClearPlain(benchmark::State& state) {
    auto scene = fullBlock();
    for (auto _ : state) {
        fillVisibleBlock(scene->state, *scene->grid);
        clearVisibleBlock(scene->state, *scene->grid);
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

void fillAndClearRecorded(benchmark::State& state) {
    auto scene = fullBlock();
    EditHistory history;
    for (auto _ : state) {
        history.fill(scene->state, *scene->grid);
        history.clear(scene->state, *scene->grid);
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

// Undo of a CLEAR of the striped block, then its redo: two steps an iteration.
void undoAndRedoClear(benchmark::State& state) {
    auto scene = fullBlock();
    EditHistory history;
    history.clear(scene->state, *scene->grid);
    for (auto _ : state) {
        history.undo(*scene->grid);
        history.redo(*scene->grid);
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

// The design text of the striped full 20-block written, and read back.
void writeDesign(benchmark::State& state) {
    auto scene = fullBlock();
    for (auto _ : state) benchmark::DoNotOptimize(designText(scene->state, *scene->grid));
}

void readDesignBack(benchmark::State& state) {
    auto scene = fullBlock();
    const std::string text = designText(scene->state, *scene->grid);
    for (auto _ : state) benchmark::DoNotOptimize(readDesign(text));
}

// A pasted design over a full 20-block, recorded, and taken back: two steps an iteration.
void pasteAndUndo(benchmark::State& state) {
    auto scene = fullBlock();
    const DesignReading reading = readDesign(designText(scene->state, *scene->grid));
    scene->random(1, 0.5);
    EditHistory history;
    for (auto _ : state) {
        history.paint(reading.design.block(), *scene->grid, reading.design.codes.data());
        history.undo(*scene->grid);
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

// An operation on the whole full 20-block as a key does it: the block read, mapped and painted
// through the history as one step. Operation 0..4 are the turns and the flip, 5 a shift (of a
// block with an empty right column), 6 a layer copy, 7 a colour swap.
void operationOnTheBlock(benchmark::State& state) {
    auto scene = fullBlock();
    for (int row = 0; row < 20; ++row)
        for (int layer = 1; layer <= 20; ++layer) scene->grid->at(19, row, layer).colour = 0.0f;
    EditHistory history;
    const int which = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const Design block = blockOf(*scene->grid, 20);
        const Design result = which < 5    ? turned(block, static_cast<Turn>(which))
                              : which == 5 ? *shifted(block, Side::Right)
                              : which == 6 ? layerCopied(block, 3, 4)
                                           : recoloured(block, 1, 2);
        history.paint(result.block(), *scene->grid, result.codes.data(), Recording::On,
                      StepName::TurnRightToFront);
        history.undo(*scene->grid);  // so that every iteration changes the same block
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

// The loose cubes of a full 20-block, and of one whose every cube hangs in the air but a corner.
void looseOfTheBlock(benchmark::State& state) {
    auto scene = fullBlock();
    if (state.range(0) == 1)
        for (int c = 0; c < 20; ++c)
            for (int l = 1; l <= 20; ++l)
                scene->grid->at(c, 0, l).colour = c + l == 1 ? 1.0f : 0.0f;
    for (auto _ : state) benchmark::DoNotOptimize(looseCubes(*scene->grid, 20).count);
}

// The drawing tools' cells on a 20 x 20 layer: a flood fill over the whole layer of one colour,
// and a line of 20 cells.
void floodOfALayer(benchmark::State& state) {
    LayerCodes codes{};
    codes.fill(3);
    for (auto _ : state) benchmark::DoNotOptimize(floodCells(codes, 20, {7, 7}).count);
}

void lineOfTwentyCells(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(lineCells({0, 3}, {19, 15}).count);
}

// What the flood fill and line tools do as a whole on layer 5 of a full 20-block: read the layer,
// find the cells, paint them and record the step; then undo, so every iteration changes the same.
void toolAsOneStep(benchmark::State& state) {
    auto scene = fullBlock();
    for (int c = 0; c < 20; ++c)
        for (int r = 0; r < 20; ++r) scene->grid->at(c, r, 5).colour = 3.0f;
    EditHistory history;
    for (auto _ : state) {
        LayerCodes codes = layerCodes(*scene->grid, 20, 5);
        const LayerCells cells =
            state.range(0) == 0 ? floodCells(codes, 20, {7, 7}) : lineCells({0, 3}, {19, 15});
        paintCells(codes, 20, cells, 1, Mirror::Off);
        history.paint({20, 20, 5, 5}, *scene->grid, codes.data(), Recording::On,
                      StepName::TurnRightToFront);
        history.undo(*scene->grid);
        benchmark::DoNotOptimize(scene->grid.get());
    }
}

}  // namespace

BENCHMARK(toolAsOneStep)
    ->Name("tool as one step+undo, 0 flood of a full 20 x 20 layer, 1 line of 20")
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(floodOfALayer)->Name("flood fill, a full 20 x 20 layer")->Unit(benchmark::kMicrosecond);
BENCHMARK(lineOfTwentyCells)->Name("line of 20 cells")->Unit(benchmark::kMicrosecond);
BENCHMARK(looseOfTheBlock)
    ->Name("loose cubes, size 20")
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(operationOnTheBlock)
    ->Name("operation+undo, size 20")
    ->DenseRange(0, 7)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(writeDesign)->Name("design text, size 20/write")->Unit(benchmark::kMicrosecond);
BENCHMARK(readDesignBack)->Name("design text, size 20/read")->Unit(benchmark::kMicrosecond);
BENCHMARK(pasteAndUndo)->Name("paste+undo of a design, size 20")->Unit(benchmark::kMicrosecond);
BENCHMARK(pressPlain)->Name("press/plain")->Unit(benchmark::kNanosecond);
BENCHMARK(pressRecorded)->Name("press/recorded")->Unit(benchmark::kNanosecond);
BENCHMARK(fillAndClearPlain)->Name("fill+clear, size 20/plain")->Unit(benchmark::kMicrosecond);
BENCHMARK(fillAndClearRecorded)
    ->Name("fill+clear, size 20/recorded")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(undoAndRedoClear)->Name("undo+redo of CLEAR, size 20")->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
