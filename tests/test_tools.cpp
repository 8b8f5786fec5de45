// The drawing tools through the window's own events: presses, drags and keys on a 6 x 6 layer,
// read back as a picture of the layer (top row first, '.' empty, colour letters).
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "form_fixture.h"
#include "scenes.h"
#include "model/palette.h"
#include "model/projection.h"
#include "ui/additions/cell_cursor.h"
#include "ui/additions/reach/speech.h"
#include "ui/additions/tools/tools.h"

using namespace kadro;

namespace {

struct Window : ActiveWindow {
    Window() {
        form->Button2Click(form->Button2);  // CLEAR
        form->ScrollBar4->setValue(6);
        tick();
        form->Image1->setFocus();  // where the arrows move the cell cursor
        key(Qt::Key_5);            // red
        tick();
    }
    QPoint cell(int column, int row) const {
        const Point p = topFaceCentre(state, column, row);
        return {p.x, p.y};
    }
    void press(QPoint at) { mouse(QEvent::MouseButtonPress, at, Qt::LeftButton); }
    void move(QPoint at) { mouse(QEvent::MouseMove, at, Qt::LeftButton); }
    void release(QPoint at) { mouse(QEvent::MouseButtonRelease, at, Qt::NoButton); }
    void drag(QPoint from, QPoint to) {
        press(from);
        move(to);
        release(to);
        tick();
    }
    std::vector<std::string> layer() const {
        std::vector<std::string> rows;
        for (int row = 5; row >= 0; --row) {
            std::string line;
            for (int column = 0; column < 6; ++column) {
                const PaletteEntry* entry = paletteEntryOf(grid->at(column, row, state.currentLayer).colour);
                line += entry ? entry->letter : kEmptyLetter;
            }
            rows.push_back(line);
        }
        return rows;
    }
    Tools& tools() { return *additions.tools; }
    size_t steps() const { return form->history().undoSteps(); }
};

using Rows = std::vector<std::string>;

}  // namespace

TEST(Tools, RectangleLineAndBrushAreOneStepEachAndEscapeCancels) {
    Window w;
    const size_t before = w.steps();
    w.key(Qt::Key_R);
    w.press(w.cell(1, 1));
    w.move(w.cell(3, 2));
    EXPECT_EQ(w.tools().pending().size(), 1u);  // one outline round the rectangle to be
    EXPECT_EQ(w.layer(), Rows(6, "......"));    // nothing changes before the release
    w.release(w.cell(3, 2));
    w.tick();

    w.key(Qt::Key_L);
    w.press(w.cell(0, 0));
    w.move(w.cell(5, 5));
    EXPECT_EQ(w.tools().pending().size(), 6u);
    w.key(Qt::Key_Escape);
    EXPECT_TRUE(w.tools().pending().empty());
    w.release(w.cell(5, 5));
    w.tick();
    EXPECT_EQ(w.steps(), before + 1);  // the cancelled line is no step
    w.drag(w.cell(0, 5), w.cell(5, 3));

    // The brush: one move across the whole bottom row leaves no gap, and shows as it goes.
    w.key(Qt::Key_B);
    w.press(w.cell(0, 0));
    w.move(w.cell(5, 0));
    w.tick();
    EXPECT_EQ(w.state.countOf(ColourCode::Red), 6 + 6 + 6);
    w.move(QPoint(2, 2));  // off the block: skipped
    w.release(QPoint(2, 2));
    w.tick();
    EXPECT_EQ(w.layer(), (Rows{"RR....",  //
                               "..RR..",  //
                               "....RR",  //
                               ".RRR..",  //
                               ".RRR..",  //
                               "RRRRRR"}));
    EXPECT_EQ(w.steps(), before + 3);
    EXPECT_EQ(w.additions.speech->lastSaid(), "Brush stroke: 6 cells now red");
    for (int undo = 0; undo < 3; ++undo) {
        w.key(Qt::Key_Z, Qt::ControlModifier);
        w.tick();
    }
    EXPECT_EQ(w.layer(), Rows(6, "......"));
    EXPECT_EQ(w.additions.speech->lastSaid(), "Undone: rectangle. 0 cubes visible");
}

TEST(Tools, FloodFillPickerAndMirror) {
    Window w;
    for (int row = 0; row < 6; ++row) w.grid->at(2, row, 1).colour = 5;  // a red wall
    w.form->wake();
    w.tick();
    w.key(Qt::Key_1);  // yellow
    w.key(Qt::Key_F);
    w.drag(w.cell(0, 0), w.cell(0, 0));
    const size_t filled = w.steps();
    w.drag(w.cell(1, 3), w.cell(1, 3));  // already yellow: no step
    EXPECT_EQ(w.steps(), filled);
    EXPECT_EQ(w.layer(), Rows(6, "YYR..."));

    // The picker takes a cube's colour and gives the tool back; an empty cell changes nothing.
    w.key(Qt::Key_I);
    w.drag(w.cell(4, 4), w.cell(4, 4));
    EXPECT_EQ(w.tools().tool().gesture, Gesture::Pick);
    EXPECT_EQ(w.state.currentColour, 1);
    w.drag(w.cell(2, 4), w.cell(2, 4));
    EXPECT_EQ(w.state.currentColour, 5);
    EXPECT_EQ(w.tools().tool().gesture, Gesture::Fill);

    // Mirror: the place tool and Enter at the cell cursor change both sides, one step each.
    w.key(Qt::Key_M);
    w.key(Qt::Key_P);
    EXPECT_FALSE(w.tools().marker().isEmpty());
    EXPECT_EQ(w.form->Image1->accessibleName(), "Drawing area, mirrored, placing red");
    w.drag(w.cell(0, 5), w.cell(0, 5));
    EXPECT_EQ(w.steps(), filled + 1);
    w.key(Qt::Key_Up);  // the cursor shows at (3, 3), mirrored on the red wall
    w.key(Qt::Key_Return);
    w.tick();
    EXPECT_EQ(w.layer(), (Rows{"RYR..R",  //
                               "YYR...",  //
                               "YYRR..",  //
                               "YYR...",  //
                               "YYR...",  //
                               "YYR..."}));
    EXPECT_EQ(w.steps(), filled + 2);
}

// Line and rectangle from the keyboard: the first Enter marks, the second draws; Escape drops.
TEST(Tools, KeyboardShapesMarkThenDraw) {
    Window w;
    w.key(Qt::Key_R);
    w.key(Qt::Key_Left);  // the cursor at (3, 3)
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.additions.speech->lastSaid(), "Start marked at column 4, row 4");
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.additions.speech->lastSaid(), "Start dropped");
    ASSERT_TRUE(w.additions.cellCursor->cell());  // the first Escape leaves the cursor
    w.key(Qt::Key_Return);
    w.key(Qt::Key_Right);
    w.key(Qt::Key_Right);
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.tools().pending().size(), 1u);
    EXPECT_EQ(w.form->Image1->accessibleName(), "Drawing area, rectangle, placing red");
    w.key(Qt::Key_Return);
    w.tick();
    EXPECT_EQ(w.layer(), (Rows{"......", "......", "...RRR", "...RRR", "......", "......"}));
}

// The place tool gains only the hovered cell's outline: the cell cursor's own, over the picture.
TEST(Tools, TheHoveredCellIsOutlinedAsTheCursorsAndNeverDrawn) {
    Window w;
    const PixelBuffer& canvas = w.form->Image1->canvas().target();
    const std::vector<Pixel> picture(canvas.pixels, canvas.pixels + canvas.width * canvas.height);
    w.mouse(QEvent::MouseMove, w.cell(4, 1), Qt::NoButton);
    w.form->wake();
    w.tick();
    w.key(Qt::Key_Right);  // the cursor shows at (3, 3), then goes to (4, 1)
    w.key(Qt::Key_Right);
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.tools().hovered(), w.additions.cellCursor->outline());
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), canvas.pixels));
    w.mouse(QEvent::MouseMove, QPoint(2, 2), Qt::NoButton);
    EXPECT_TRUE(w.tools().hovered().isEmpty());
}

// A stroke whose release never came (the pointer grabbed away) ends, kept, at the next press.
TEST(Tools, AStrokeWhoseReleaseNeverCameEndsAtTheNextPress) {
    Window w;
    const size_t before = w.steps();
    w.key(Qt::Key_B);
    w.press(w.cell(0, 0));
    w.press(w.cell(2, 1));
    w.release(w.cell(2, 1));
    w.tick();
    EXPECT_EQ(w.steps(), before + 2);
    EXPECT_EQ(w.layer(), (Rows{"......", "......", "......", "......", "..R...", "R....."}));
}

// What comes after a stroke whose release never came is neither written over nor undone with it:
// the stroke is one step up to its last move, and undoing everything gives back the design.
TEST(Tools, AStrokeWhoseReleaseNeverCameLeavesWhatCameAfter) {
    Window w;
    const std::vector<float> design = kadro::testing::coloursOf(*w.grid);
    const size_t before = w.steps();
    w.key(Qt::Key_B);
    w.press(w.cell(0, 0));
    w.move(w.cell(2, 0));
    w.tick();
    w.form->Button7->click();  // FILL, red
    QTest::mousePress(w.form->Shape1, Qt::LeftButton);  // yellow
    w.press(w.cell(4, 4));
    w.release(w.cell(4, 4));
    w.tick();
    EXPECT_EQ(w.layer(), (Rows{"RRRRRR", "RRRRYR", "RRRRRR", "RRRRRR", "RRRRRR", "RRRRRR"}));
    EXPECT_EQ(w.steps(), before + 3);
    while (w.steps() > before) w.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(kadro::testing::coloursOf(*w.grid) == design);
}

// A line's outline shows the cells the release will change, also when the size shrank under the
// drag and its start now lies outside the block.
TEST(Tools, AnOutlineShowsOnlyTheCellsThatWillChange) {
    Window w;
    w.form->ScrollBar4->setValue(10);
    w.tick();
    w.key(Qt::Key_L);
    w.press(w.cell(8, 8));
    for (int i = 0; i < 5; ++i) w.key(Qt::Key_Minus);
    w.tick();
    w.move(w.cell(1, 1));
    EXPECT_EQ(w.tools().pending().size(), 4u);
    w.release(w.cell(1, 1));
    w.tick();
    int red = 0;
    for (int column = 0; column < 5; ++column)
        for (int row = 0; row < 5; ++row) red += w.grid->at(column, row, 1).colour == 5.0f;
    EXPECT_EQ(red, 4);
}

// Picking the colour already current draws no frame: the sentence is said at once, not glued to
// whatever changes next.
TEST(Tools, PickingTheCurrentColourIsSaidAtOnce) {
    Window w;
    w.grid->at(2, 2, 1).colour = 5;  // red, the current colour
    w.form->wake();
    w.tick();
    w.key(Qt::Key_I);
    w.drag(w.cell(2, 2), w.cell(2, 2));
    EXPECT_EQ(w.additions.speech->lastSaid(), "Picked; back to place");
}
