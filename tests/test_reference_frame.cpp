#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/grid.h"
#include "reference_frame.h"
#include "scenes.h"

using namespace kadro;
using kadro::reference::drawFrameByRectangles;

namespace {

// Records every rectangle with the pen, brush and style in force when it was drawn.
struct Recorder {
    struct Call {
        int x1, y1, x2, y2;
        Pixel pen, brush;
        BrushStyle style;
        bool operator==(const Call&) const = default;
    };
    void setPenColour(Pixel p) { pen = p; }
    void setBrushColour(Pixel b) { brush = b; }
    void setBrushStyle(BrushStyle s) { style = s; }
    void Rectangle(int x1, int y1, int x2, int y2) { calls.push_back({x1, y1, x2, y2, pen, brush, style}); }

    Pixel pen = 0, brush = 0;
    BrushStyle style = BrushStyle::Solid;
    std::vector<Call> calls;
};

std::ostream& operator<<(std::ostream& out, const Recorder::Call& c) {
    return out << "Rectangle(" << c.x1 << ", " << c.y1 << ", " << c.x2 << ", " << c.y2 << ")";
}

struct Scene : kadro::testing::SceneModel {
    explicit Scene(int size) : SceneModel(size) { state.gridVisible = false; }
    // The rectangles drawn for the model, without the clearing one and the preview.
    std::vector<Recorder::Call> modelCalls() {
        Recorder recorder;
        drawFrameByRectangles(recorder, state, *grid, 550, 580);
        const size_t previewSquares = previewCount();
        return {recorder.calls.begin() + 1, recorder.calls.end() - static_cast<long>(previewSquares)};
    }
    size_t previewCount() const {
        const double half = state.cellSize * 0.5 / (state.cellSize > 100 ? 2 : 1);
        size_t n = 0;
        for (float k = 0; half > k; k += 1) ++n;
        return n;
    }
};

}  // namespace

TEST(ReferenceFrame, ClearsTheWindowAreaFirst) {
    Scene scene(10);
    Recorder recorder;
    drawFrameByRectangles(recorder, scene.state, *scene.grid, 550, 580);
    ASSERT_FALSE(recorder.calls.empty());
    EXPECT_EQ(recorder.calls.front(), (Recorder::Call{0, 0, 550, 580, colours::black, colours::black, BrushStyle::Solid}));
}

TEST(ReferenceFrame, CubeIsAStackOfSquaresSteppedUpAndRight) {
    Scene scene(10);
    scene.grid->at(0, 0, 1).colour = 1.0f;
    std::vector<Recorder::Call> calls = scene.modelCalls();
    ASSERT_EQ(calls.size(), 13u);
    EXPECT_EQ(calls.front(), (Recorder::Call{11, 399, 37, 373, colours::yellow, colours::yellow, BrushStyle::Solid}));
    EXPECT_EQ(calls.back(), (Recorder::Call{23, 387, 49, 361, colours::yellow, colours::yellow, BrushStyle::Solid}));
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].x1, 11 + int(i));
        EXPECT_EQ(calls[i].y1, 399 - int(i));
    }

    Scene back(10);
    back.grid->at(9, 9, 10).colour = 5.0f;
    calls = back.modelCalls();
    ASSERT_EQ(calls.size(), 13u);
    EXPECT_EQ(calls.front(), (Recorder::Call{362, 48, 388, 22, colours::red, colours::red, BrushStyle::Solid}));
    EXPECT_EQ(calls.back(), (Recorder::Call{374, 36, 400, 10, colours::red, colours::red, BrushStyle::Solid}));
}

TEST(ReferenceFrame, SizeThreeStartsOneRowUpFromTheSingleFloatAnchor) {
    Scene scene(3);
    EXPECT_EQ(scene.grid->at(0, 0, 1).screenY, 486.66666f);
    scene.grid->at(0, 0, 1).colour = 2.0f;
    const std::vector<Recorder::Call> calls = scene.modelCalls();
    ASSERT_EQ(calls.size(), 44u);
    EXPECT_EQ(calls.front(), (Recorder::Call{11, 398, 97, 311, colours::lime, colours::lime, BrushStyle::Solid}));
}

TEST(ReferenceFrame, SizeTwentyStacksSevenSquaresOfThirteen) {
    Scene scene(20);
    scene.grid->at(4, 7, 3).colour = 3.0f;
    const std::vector<Recorder::Call> calls = scene.modelCalls();
    ASSERT_EQ(calls.size(), 7u);
    for (const auto& c : calls) {
        EXPECT_EQ(c.x2 - c.x1, 13);
        EXPECT_EQ(c.y1 - c.y2, 13);
    }
}

TEST(ReferenceFrame, GridPatternColoursFollowColumnAndLayerParity) {
    Scene scene(10);
    scene.state.gridVisible = true;
    scene.state.currentLayer = 1;
    Recorder recorder;
    drawFrameByRectangles(recorder, scene.state, *scene.grid, 550, 580);
    // Layers 10 down to 1, 100 empty cells each; the front layer comes last.
    const auto front = recorder.calls.end() - 13 - 100;
    const Recorder::Call column0 = front[0];
    EXPECT_EQ(column0, (Recorder::Call{23, 387, 49, 361, colours::white, colours::grey, BrushStyle::DiagonalCross}));
    const Recorder::Call column1 = front[10];  // rows run fastest
    EXPECT_EQ(column1.pen, colours::grey);
    EXPECT_EQ(column1.brush, colours::navy);
    const auto layer2 = front - 100;
    EXPECT_EQ(layer2[10].pen, colours::white);
    EXPECT_EQ(layer2[10].brush, colours::navy);
    EXPECT_EQ(layer2[0].pen, colours::white);
    EXPECT_EQ(layer2[0].brush, colours::grey);
}

TEST(ReferenceFrame, HiddenGridDrawsNothingForEmptyCells) {
    Scene scene(10);
    EXPECT_TRUE(scene.modelCalls().empty());
}

TEST(ReferenceFrame, OnlyTheVisibleBlockIsDrawn) {
    Scene scene(10);
    scene.grid->at(10, 0, 1).colour = 1.0f;  // beyond the size
    scene.grid->at(0, 0, 0).colour = 1.0f;   // layer 0
    scene.grid->at(0, 0, 2).colour = 1.0f;   // in front of the current layer
    scene.state.currentLayer = 3;
    EXPECT_TRUE(scene.modelCalls().empty());
    scene.state.currentLayer = 10;
    scene.grid->at(9, 9, 10).colour = 4.0f;
    EXPECT_EQ(scene.modelCalls().size(), 13u);
}

TEST(ReferenceFrame, PreviewCubeAtItsFixedPlaceAndHalfScaleAtSizeTwo) {
    Scene scene(10);
    Recorder recorder;
    drawFrameByRectangles(recorder, scene.state, *scene.grid, 550, 580);
    ASSERT_EQ(recorder.calls.size(), 1u + 13u);
    EXPECT_EQ(recorder.calls[1], (Recorder::Call{361, 399, 387, 373, colours::yellow, colours::yellow, BrushStyle::Solid}));
    EXPECT_EQ(recorder.calls.back(), (Recorder::Call{373, 387, 399, 361, colours::yellow, colours::yellow, BrushStyle::Solid}));

    Scene two(2);
    two.state.currentColour = 4;
    Recorder small;
    drawFrameByRectangles(small, two.state, *two.grid, 550, 580);
    ASSERT_EQ(small.calls.size(), 1u + 33u);
    EXPECT_EQ(small.calls[1], (Recorder::Call{361, 399, 426, 334, colours::fuchsia, colours::fuchsia, BrushStyle::Solid}));

    scene.state.eraseMode = true;
    Recorder erasing;
    drawFrameByRectangles(erasing, scene.state, *scene.grid, 550, 580);
    EXPECT_EQ(erasing.calls[1], (Recorder::Call{361, 399, 387, 373, colours::navy, colours::white, BrushStyle::DiagonalCross}));
}
