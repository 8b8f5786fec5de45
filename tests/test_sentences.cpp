// What a screen reader hears from one frame to the next, as a function of what the two frames show
// and the step taken between them.
#include <gtest/gtest.h>

#include "ui/additions/reach/sentences.h"

using kadro::StepName;
using kadro::StepSummary;
using Kind = StepSummary::Kind;

namespace {

FrameSummary shown() {
    FrameSummary frame;
    frame.colour = 5;
    frame.layer = 1;
    frame.size = 5;
    frame.cubes = 10;
    frame.stepsDone = 3;
    frame.recorded = 3;
    return frame;
}

}  // namespace

TEST(Sentences, EachChangeBetweenTwoFramesIsSaidOnce) {
    const FrameSummary before = shown();
    struct Case {
        const char* what;
        void (*change)(FrameSummary&);
        std::optional<StepSummary> step;
        const char* said;
    };
    const Case cases[] = {
        {"nothing", [](FrameSummary&) {}, std::nullopt, ""},
        {"a colour", [](FrameSummary& f) { f.colour = 3; }, std::nullopt, "Placing aqua"},
        {"a colour while erasing", [](FrameSummary& f) { f.erasing = true, f.colour = 3; }, std::nullopt,
         "Erasing"},
        {"the grid and the layer", [](FrameSummary& f) { f.grid = true, f.layer = 2; }, std::nullopt,
         "Grid pattern shown. Layer 2 of 5"},
        {"the layer with the cursor shown",
         [](FrameSummary& f) { f.layer = 3, f.cursorCell = "Column 1, row 2: red"; }, std::nullopt,
         "Layer 3 of 5, column 1, row 2: red"},
        {"the layer on its focused spin box", [](FrameSummary& f) { f.layer = 3, f.focus = FrameSummary::Focus::LayerBox; },
         std::nullopt, ""},
        {"the size, which outranks the layer", [](FrameSummary& f) { f.size = 9, f.layer = 1; }, std::nullopt,
         "Size 9"},
        {"the size on the focused bar", [](FrameSummary& f) { f.size = 9, f.focus = FrameSummary::Focus::SizeBar; },
         std::nullopt, ""},
        {"a press", [](FrameSummary& f) { ++f.recorded, ++f.stepsDone, ++f.cubes; },
         StepSummary{Kind::Press, 1, 2, 1, 0, 5}, "Red placed"},
        {"CLEAR", [](FrameSummary& f) { ++f.recorded, ++f.stepsDone, f.cubes = 1; }, StepSummary{Kind::Clear},
         "Cleared 9 cubes"},
        {"an operation, which says itself", [](FrameSummary& f) { ++f.recorded, ++f.stepsDone; },
         StepSummary{Kind::Operation, 0, 0, 0, 0, 0, StepName::Flip}, ""},
        {"an undone press", [](FrameSummary& f) { --f.stepsDone, --f.cubes; }, StepSummary{Kind::Press, 1, 2, 1, 0, 5},
         "Undone: column 2, row 3, layer 1: empty. 9 cubes visible"},
        {"a redone line", [](FrameSummary& f) { ++f.stepsDone; },
         StepSummary{Kind::Operation, 0, 0, 0, 0, 0, StepName::Line}, "Redone: line. 10 cubes visible"},
        {"steps dropped and made at once", [](FrameSummary& f) { f.recorded += 2; }, StepSummary{Kind::Paste}, ""},
    };
    for (const Case& c : cases) {
        FrameSummary now = before;
        c.change(now);
        EXPECT_EQ(changesSaid(before, now, c.step).toStdString(), c.said) << c.what;
        // Every change but none at all is one a frame draws, so a sentence about it waits for that.
        EXPECT_EQ(now.differsFrom(before), std::string(c.what) != "nothing") << c.what;
    }
}
