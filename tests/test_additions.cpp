// The main window without a mouse and through a screen reader: keys, the cell cursor, the focus,
// tooltips and accessible names.
#include <QAccessible>
#include <QScrollBar>
#include <QToolButton>
#include <cstring>
#include <functional>

#include "form_fixture.h"
#include "model/animation.h"
#include "model/projection.h"
#include "scenes.h"
#include "ui/additions/reach/accessibility.h"
#include "ui/additions/cell_cursor.h"
#include "ui/additions/focus.h"
#include "ui/additions/loose_outline.h"
#include "ui/additions/reach/speech.h"

using namespace kadro;

namespace {

// A window over a model of its own, shown and active so that its keys act, with both timers'
// ticks left to the test.
struct Window : ActiveWindow {
    // Everything a key may change: the view state but the colour cycle's phase (which only the
    // ticks move), the cells, the captions of the toggles and the position of the controls.
    std::string snapshot() {
        const ViewState& s = state;
        std::string all;
        for (float value : {s.gridWidth, s.gridHeight, s.gridDepth, s.cellSize}) all += std::to_string(value) + "|";
        for (int32_t value : {s.originX, s.originY, s.currentLayer, s.currentColour, int32_t(s.gridVisible),
                              int32_t(s.eraseMode), s.cycleTicks, s.introCounter})
            all += std::to_string(value) + "|";
        for (int32_t count : s.colourCounts) all += std::to_string(count) + "|";
        all.append(reinterpret_cast<const char*>(grid.get()), sizeof(CellGrid));
        for (QString text : {form->Button3->text(), form->Button4->text(), QString::number(form->UpDown1->position()),
                             QString::number(form->ScrollBar4->value())})
            all += text.toStdString() + "|";
        return all;
    }
};

float grid_colour(const CellGrid& grid, int column, int row, int layer) { return grid.at(column, row, layer).colour; }

void arrowFromShownLayer(TForm1& form, UpDownButton button) {
    const int layer = form.Label7->text().toInt();
    if (button == UpDownButton::Up ? layer >= form.ScrollBar4->value() : layer <= 1) return;
    form.UpDown1->setPosition(layer);
    (button == UpDownButton::Up ? form.UpDown1->upArrow() : form.UpDown1->downArrow())->click();
}

}  // namespace

// Each key stands for a control: the model ends as the control's own input leaves it.
TEST(Keys, EveryKeyDoesWhatItsControlDoes) {
    const struct {
        const char* name;
        int key;
        std::function<void(TForm1&)> control;
    } cases[] = {
        {"1", Qt::Key_1, [](TForm1& f) { QTest::mousePress(f.Shape1, Qt::LeftButton); }},
        {"2", Qt::Key_2, [](TForm1& f) { QTest::mousePress(f.Shape2, Qt::LeftButton); }},
        {"3", Qt::Key_3, [](TForm1& f) { QTest::mousePress(f.Shape3, Qt::LeftButton); }},
        {"4", Qt::Key_4, [](TForm1& f) { QTest::mousePress(f.Shape4, Qt::LeftButton); }},
        {"5", Qt::Key_5, [](TForm1& f) { QTest::mousePress(f.Shape5, Qt::LeftButton); }},
        {"E", Qt::Key_E, [](TForm1& f) { f.Button4->click(); }},
        {"G", Qt::Key_G, [](TForm1& f) { f.Button3->click(); }},
        // Page Up and Page Down are an arrow's click from the layer shown, never past the block:
        // they bank no press as the arrows do.
        {"Page Up", Qt::Key_PageUp, [](TForm1& f) { arrowFromShownLayer(f, UpDownButton::Up); }},
        {"Page Down", Qt::Key_PageDown, [](TForm1& f) { arrowFromShownLayer(f, UpDownButton::Down); }},
        {"+", Qt::Key_Plus, [](TForm1& f) { f.ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepAdd); }},
        {"-", Qt::Key_Minus, [](TForm1& f) { f.ScrollBar4->triggerAction(QAbstractSlider::SliderSingleStepSub); }},
    };
    Window byKey, byControl;
    // From a few states, so that clamping at the limits is compared too.
    for (int round = 0; round < 25; ++round) {
        for (const auto& c : cases) {
            byKey.activate();
            byKey.key(c.key);
            c.control(*byControl.form);
            byKey.tick();
            byControl.tick();
            ASSERT_TRUE(byKey.snapshot() == byControl.snapshot())
                << c.name << ", round " << round << ": colour " << byKey.state.currentColour << "/"
                << byControl.state.currentColour << ", layer " << byKey.state.currentLayer << "/"
                << byControl.state.currentLayer << ", size " << byKey.state.gridDepth << "/" << byControl.state.gridDepth
                << ", erase " << byKey.state.eraseMode << "/" << byControl.state.eraseMode << ", grid "
                << byKey.state.gridVisible << "/" << byControl.state.gridVisible;
        }
    }
}

TEST(Keys, TheCellCursorPlacesAsAPressOnTheTopFaceAndDrawsNothingIntoThePicture) {
    Window window;
    TForm1& form = *window.form;
    form.Button2->click();  // CLEAR
    window.tick();
    const std::vector<Pixel> before(form.Image1->canvas().target().pixels,
                                    form.Image1->canvas().target().pixels + 761 * 417);
    form.Button7->setFocus();  // FILL: the arrows take the focus along, so Enter places, not fills
    window.key(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), form.Image1);
    ASSERT_TRUE(window.additions.cellCursor->cell());
    EXPECT_EQ(window.additions.cellCursor->cell()->column, 5);  // the first press shows it at the centre
    EXPECT_EQ(window.additions.cellCursor->cell()->row, 5);
    EXPECT_FALSE(window.additions.cellCursor->outline().isEmpty());
    window.tick();
    EXPECT_EQ(std::memcmp(before.data(), form.Image1->canvas().target().pixels, before.size() * sizeof(Pixel)), 0);
    for (int i = 0; i < 30; ++i) window.key(Qt::Key_Right);  // held at the edge
    window.key(Qt::Key_Up);
    window.key(Qt::Key_Return);
    EXPECT_EQ(grid_colour(*window.grid, 9, 6, 1), 1.0f);
    // On another layer and size, in every corner.
    form.UpDown1->upArrow()->click();
    form.UpDown1->upArrow()->click();
    window.key(Qt::Key_3);
    for (auto [dx, dy] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
        for (int i = 0; i < 12; ++i) window.key(dx < 0 ? Qt::Key_Left : Qt::Key_Right), window.key(dy < 0 ? Qt::Key_Down : Qt::Key_Up);
        window.key(Qt::Key_Insert);
        EXPECT_EQ(grid_colour(*window.grid, dx < 0 ? 0 : 9, dy < 0 ? 0 : 9, 3), 3.0f) << dx << ", " << dy;
    }
    EXPECT_EQ(form.history().undoSteps(), 6u);  // CLEAR, then five cells placed
    window.key(Qt::Key_Escape);
    EXPECT_FALSE(window.additions.cellCursor->cell());
    EXPECT_TRUE(window.additions.cellCursor->outline().isEmpty());
    window.key(Qt::Key_Left);  // and a mouse press hides it again
    QTest::mousePress(form.Image1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(window.additions.cellCursor->cell());
}

TEST(Keys, TheFocusStartsOnTheSizeBarShowsAndFollowsTheLayoutsOrder) {
    Window window;
    TForm1& form = *window.form;
    EXPECT_EQ(QApplication::focusWidget(), form.ScrollBar4);
    window.key(Qt::Key_Right);  // the size bar's own arrows: one step
    EXPECT_EQ(form.ScrollBar4->value(), 11);
    window.key(Qt::Key_Left);
    window.key(Qt::Key_Down);
    EXPECT_EQ(form.ScrollBar4->value(), 9);
    EXPECT_FALSE(window.additions.cellCursor->cell());
    QWidget* expected[] = {form.UpDown1, form.Button2, form.Button3, form.Button4, form.Button5,
                           form.Button6, form.Button7, form.Button11, form.Image1, form.ScrollBar4};
    for (QWidget* next : expected) {
        window.key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
        const auto* frame = form.findChild<FocusFrame*>();
        ASSERT_TRUE(frame && frame->isVisible());
        EXPECT_TRUE(frame->geometry().contains(next->geometry())) << next->objectName().toStdString();
    }
    // Enter presses the focused button as Space does.
    form.Button4->setFocus();
    window.key(Qt::Key_Return);
    EXPECT_TRUE(window.state.eraseMode);
    window.key(Qt::Key_Space);
    EXPECT_FALSE(window.state.eraseMode);
}

TEST(Reach, TooltipsSayWhatEachControlDoesAndWhereAClickLands) {
    Window window;
    TForm1& form = *window.form;
    for (QWidget* control : form.findChildren<QWidget*>()) {
        // Every visible control but the blank panels and the drawing area, whose tip follows the pointer.
        const bool blank = control == form.Image3 || control == form.Image4 || control == form.Image5;
        if (control->isVisible() && control->parentWidget() == &form && !blank && control != form.Image1 &&
            !qobject_cast<FocusFrame*>(control) && !control->size().isEmpty()) {
            EXPECT_FALSE(control->toolTip().isEmpty()) << control->objectName().toStdString();
        }
    }
    EXPECT_TRUE(form.Shape3->toolTip().contains("(key 3; Ctrl+3 turns"));
    EXPECT_EQ(window.additions.names->pressTip(50, 380), "A click here places yellow in column 2, row 1, layer 1");
    EXPECT_EQ(window.additions.names->pressTip(5, 200), "A click here changes nothing");
    form.Button4->click();
    EXPECT_EQ(window.additions.names->pressTip(395, 100), "A click here empties column 15, row 12, layer 1 (beyond the size shown)");
}

TEST(Reach, ScreenReadersGetNamesRolesAndValues) {
    Window window;
    TForm1& form = *window.form;
    auto accessible = [](QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); };
    QAccessibleInterface* yellow = accessible(form.Shape1);
    ASSERT_TRUE(yellow);
    EXPECT_EQ(yellow->role(), QAccessible::Button);
    EXPECT_EQ(yellow->text(QAccessible::Name), "Yellow, 200 cubes");
    form.Button2->click();
    window.tick();
    EXPECT_EQ(yellow->text(QAccessible::Name), "Yellow, 0 cubes");
    EXPECT_EQ(accessible(form.Label1)->text(QAccessible::Name), "Yellow cubes");
    QAccessibleInterface* close = accessible(form.Label14);
    EXPECT_EQ(close->role(), QAccessible::Button);
    EXPECT_EQ(close->text(QAccessible::Name), "Close");
    QAccessibleInterface* aqua = accessible(form.Shape3);
    ASSERT_TRUE(aqua->actionInterface());
    aqua->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(window.state.currentColour, 3);
    EXPECT_EQ(accessible(form.UpDown1)->text(QAccessible::Name), "Depth layer");
    // The text a screen reader says as the spin box's value, not again as its description.
    ASSERT_TRUE(accessible(form.UpDown1)->textInterface());
    EXPECT_EQ(accessible(form.UpDown1)->textInterface()->text(0, 100), "Layer 1 of 10");
    EXPECT_FALSE(accessible(form.UpDown1)->text(QAccessible::Description).contains("Layer 1"));
    QAccessibleInterface* size = accessible(form.ScrollBar4);
    EXPECT_EQ(size->text(QAccessible::Name), "Size");
    ASSERT_TRUE(size->valueInterface());
    EXPECT_EQ(size->valueInterface()->currentValue().toInt(), 10);
    EXPECT_EQ(accessible(form.Image1)->text(QAccessible::Description), "Size 10 x 10 x 10, layer 1, 0 cubes visible");
}

// The outline once sat half a cell up and right of the cube that Enter changes, over parts of
// four cubes: it is now exactly where a press selects the cursor's cell, at every size and layer.
TEST(Keys, TheCellCursorOutlinesExactlyWhereAPressChangesItsCell) {
    Window window;
    TForm1& form = *window.form;
    form.Image1->setFocus();
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        form.ScrollBar4->setValue(size);
        for (int layer : {1, (size + 1) / 2, size}) {
            while (window.state.currentLayer < layer) form.UpDown1->click(UpDownButton::Up);
            window.tick();
            window.key(Qt::Key_Escape);
            window.key(Qt::Key_Right);  // shown at the centre, then one to the right
            for (int step = 0; step < 3; ++step) {
                const auto cell = window.additions.cellCursor->cell();
                ASSERT_TRUE(cell);
                const QRect outline = window.additions.cellCursor->outline();
                ASSERT_FALSE(outline.isEmpty()) << size << " " << layer;
                SCOPED_TRACE(::testing::Message() << "cell " << cell->column << "," << cell->row);
                auto selects = [&](int x, int y) {
                    const std::optional<Hit> hit = hitTest(window.state, x, y);
                    return hit && hit->column == cell->column && hit->row == cell->row;
                };
                for (int y = outline.top(); y <= outline.bottom(); ++y)
                    for (int x = outline.left(); x <= outline.right(); ++x)
                        ASSERT_TRUE(selects(x, y)) << "size " << size << " layer " << layer << " at " << x << ", " << y;
                for (int y = outline.top(); y <= outline.bottom(); ++y)
                    EXPECT_FALSE(selects(outline.left() - 1, y) || selects(outline.right() + 1, y)) << size;
                for (int x = outline.left(); x <= outline.right(); ++x)
                    EXPECT_FALSE(selects(x, outline.top() - 1) || selects(x, outline.bottom() + 1)) << size;
                window.key(step == 0 ? Qt::Key_Down : Qt::Key_Left);  // other cells, the edges among them
                window.key(Qt::Key_Left);
            }
        }
    }
}

// A screen reader once learned nothing of the cell cursor, so nothing could be designed by ear.
// The cursor is the drawing area's child, named by its cell and what it holds; without it the
// drawing area describes the block.
TEST(Reach, AScreenReaderIsToldWhereTheCellCursorIsAndWhatTheCellHolds) {
    Window window;
    TForm1& form = *window.form;
    form.Button2->click();  // CLEAR
    window.tick();
    std::vector<QString> spoken;
    auto press = [&](int key) {
        window.key(key);
        window.tick();
        QCoreApplication::processEvents();
        QAccessibleInterface* area = QAccessible::queryAccessibleInterface(form.Image1);
        spoken.push_back(area->childCount() ? area->child(0)->text(QAccessible::Name)
                                            : form.Image1->accessibleDescription());
    };
    form.Image1->setFocus();
    press(Qt::Key_Right);  // shown at the centre
    press(Qt::Key_Up);
    EXPECT_EQ(form.Image1->accessibleName(), "Drawing area, placing yellow");
    press(Qt::Key_5);  // the name says what a press does, the description stays
    EXPECT_EQ(form.Image1->accessibleName(), "Drawing area, placing red");
    press(Qt::Key_Return);  // a red cube there
    press(Qt::Key_E);
    EXPECT_EQ(form.Image1->accessibleName(), "Drawing area, erasing");
    press(Qt::Key_Escape);
    press(Qt::Key_G);  // a frame after: the usual description again
    const std::vector<QString> expected = {
        "Column 6, row 6, layer 1: empty",
        "Column 6, row 7, layer 1: empty",
        "Column 6, row 7, layer 1: empty",
        "Column 6, row 7, layer 1: red",
        "Column 6, row 7, layer 1: red",
        "Size 10 x 10 x 10, layer 1, 1 cube visible",  // hiding it is said once, not kept
        "Size 10 x 10 x 10, layer 1, 1 cube visible",
    };
    EXPECT_EQ(spoken, expected);
}

// The layer up-down was a plain container without a value, and the tree offered hidden controls.
TEST(Reach, TheLayerIsASpinBoxWithItsValueAndTheWindowOffersOnlyWhatShows) {
    Window window;
    TForm1& form = *window.form;
    QAccessibleInterface* layer = QAccessible::queryAccessibleInterface(form.UpDown1);
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->role(), QAccessible::SpinBox);
    EXPECT_EQ(layer->text(QAccessible::Name), "Depth layer");
    ASSERT_TRUE(layer->valueInterface());
    EXPECT_EQ(layer->valueInterface()->currentValue().toInt(), 1);
    EXPECT_EQ(layer->valueInterface()->minimumValue().toInt(), 1);
    EXPECT_EQ(layer->valueInterface()->maximumValue().toInt(), 10);
    window.key(Qt::Key_PageUp);
    EXPECT_EQ(layer->valueInterface()->currentValue().toInt(), 2);
    layer->valueInterface()->setCurrentValue(5);  // as five arrow clicks would
    EXPECT_EQ(window.state.currentLayer, 5);
    layer->valueInterface()->setCurrentValue(99);  // held within the size
    EXPECT_EQ(window.state.currentLayer, 10);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.UpDown1->upArrow())->text(QAccessible::Name), "One layer back");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.UpDown1->downArrow())->text(QAccessible::Name),
              "One layer forward");

    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&form);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->role(), QAccessible::Window);
    EXPECT_EQ(root->text(QAccessible::Name), "KADRO");
    int offered = 0;
    for (int i = 0; i < root->childCount(); ++i) {
        auto* control = qobject_cast<QWidget*>(root->child(i)->object());
        ASSERT_TRUE(control);
        EXPECT_FALSE(control->isHidden()) << control->objectName().toStdString();
        EXPECT_EQ(root->indexOfChild(root->child(i)), i);
        ++offered;
    }
    for (QWidget* hidden : {static_cast<QWidget*>(form.Button1), static_cast<QWidget*>(form.Button8),
                            static_cast<QWidget*>(form.Button10), static_cast<QWidget*>(form.Edit1),
                            static_cast<QWidget*>(form.ScrollBar1), static_cast<QWidget*>(form.ScrollBar2)})
        EXPECT_EQ(root->indexOfChild(QAccessible::queryAccessibleInterface(hidden)), -1) << hidden->objectName().toStdString();
    EXPECT_GT(offered, 20);  // the swatches, labels, buttons, bars and images that show
}

// A screen reader heard nothing of a change made to anything but the focused control: Qt 6.4
// sends a changed name or description as the object, which Orca cannot speak. Every change is
// now said as a sentence, wherever the focus is; the keys reach the application as presses
// (a screen reader echoes them), not as shortcuts taken before anyone sees them.
TEST(Speech, EveryChangeIsSaidWhateverHasTheFocusAndKeysArePresses) {
    Window window;
    window.playAnimation();
    TForm1& form = *window.form;
    struct Presses : QObject {
        std::vector<int> keys;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress) keys.push_back(static_cast<QKeyEvent*>(event)->key());
            return false;
        }
    } presses;
    qApp->installEventFilter(&presses);
    const Speech& speech = *window.additions.speech;
    auto says = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        window.key(key, modifiers);
        window.tick();
        return speech.lastSaid();
    };
    form.Button2->setFocus();  // CLEAR
    EXPECT_EQ(says(Qt::Key_Return), "Cleared 1000 cubes");
    EXPECT_EQ(says(Qt::Key_5), "Placing red");
    EXPECT_EQ(says(Qt::Key_E), "Erasing");
    EXPECT_EQ(says(Qt::Key_1), "Placing yellow");
    EXPECT_EQ(says(Qt::Key_G), "Grid pattern hidden");
    EXPECT_EQ(says(Qt::Key_PageUp), "Layer 2 of 10");
    EXPECT_EQ(says(Qt::Key_Z, Qt::ControlModifier), "Undone: CLEAR. 900 cubes visible");
    EXPECT_EQ(says(Qt::Key_Y, Qt::ControlModifier), "Redone: CLEAR. 0 cubes visible");
    EXPECT_EQ(says(Qt::Key_Y, Qt::ControlModifier), "Nothing to redo");
    EXPECT_EQ(says(Qt::Key_Plus), "Size 11");
    form.ScrollBar4->setFocus();
    const QString before = speech.lastSaid();
    EXPECT_EQ(says(Qt::Key_Minus), before);  // the focused size bar says its own value
    EXPECT_EQ(qApp->focusWidget(), form.ScrollBar4);
    EXPECT_EQ(std::count(presses.keys.begin(), presses.keys.end(), Qt::Key_Z), 1);
    EXPECT_EQ(std::count(presses.keys.begin(), presses.keys.end(), Qt::Key_5), 1);
    qApp->removeEventFilter(&presses);

    // The cell cursor is the drawing area's focused child, named by its cell.
    form.Button2->setFocus();
    says(Qt::Key_Up);
    QCoreApplication::processEvents();  // the cell takes the focus once the drawing area has it
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(form.Image1);
    ASSERT_EQ(area->childCount(), 1);
    EXPECT_EQ(area->child(0)->text(QAccessible::Name), "Column 6, row 6, layer 1: empty");
    EXPECT_TRUE(area->child(0)->state().focused);
    EXPECT_EQ(says(Qt::Key_Return), "Yellow placed");
    EXPECT_EQ(says(Qt::Key_Return), "Already yellow");
    EXPECT_EQ(area->child(0)->text(QAccessible::Name), "Column 6, row 6, layer 1: yellow");
    // The size change put the view back on layer 1; Page Up steps from there, by one.
    EXPECT_EQ(says(Qt::Key_PageUp), "Layer 2 of 10, column 6, row 6: empty");
    EXPECT_EQ(says(Qt::Key_Escape), "Cell cursor hidden");
    EXPECT_EQ(area->childCount(), 0);
    // The keypad's Page Up and arrows are the screen reader's, also on the size bar.
    window.key(Qt::Key_PageUp, Qt::KeypadModifier);
    EXPECT_EQ(window.state.currentLayer, 2);
    form.ScrollBar4->setFocus();
    const int size = form.ScrollBar4->value();
    window.key(Qt::Key_Left, Qt::KeypadModifier);
    window.key(Qt::Key_PageDown, Qt::KeypadModifier);
    EXPECT_EQ(form.ScrollBar4->value(), size);
}

// A right press on a button moved the keyboard focus to it, though it does nothing there.
TEST(Reach, OnlyALeftPressTakesTheFocus) {
    Window window;
    TForm1& form = *window.form;
    for (QWidget* control : {static_cast<QWidget*>(form.Button2), static_cast<QWidget*>(form.UpDown1->upArrow())}) {
        form.ScrollBar4->setFocus();
        QTest::mouseClick(control, Qt::RightButton);
        EXPECT_EQ(QApplication::focusWidget(), form.ScrollBar4) << control->objectName().toStdString();
        QTest::mouseClick(control, Qt::LeftButton);
        EXPECT_NE(QApplication::focusWidget(), form.ScrollBar4) << control->objectName().toStdString();
    }
}

// The whole model at once, from the keys: each operation is one undo step, Ctrl+D steps the
// view as the upper arrow, Ctrl+1..5 swaps a colour and chooses it, a refused shift changes
// nothing, and each is said.
TEST(Keys, WholeModelOperationsAreOneStepEachAndSaid) {
    Window window;
    TForm1& form = *window.form;
    const Speech& speech = *window.additions.speech;
    form.Button2->setFocus();
    window.key(Qt::Key_Return);  // CLEAR
    window.tick();
    window.grid->at(0, 0, 1).colour = 5;  // a red cube at the front bottom left
    window.grid->at(2, 3, 2).colour = 1;
    form.wake();
    window.tick();
    const std::vector<float> start = kadro::testing::coloursOf(*window.grid);
    auto says = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        window.key(key, modifiers);
        window.tick();
        return speech.lastSaid();
    };
    const size_t steps = form.history().undoSteps();
    EXPECT_EQ(says(Qt::Key_T), "Turned: the right side is in front.");
    EXPECT_EQ(window.grid->at(0, 0, 10).colour, 5.0f);  // (c, r, l) to (l-1, r, N-c)
    EXPECT_EQ(says(Qt::Key_T, Qt::ShiftModifier), "Turned: the left side is in front.");
    EXPECT_EQ(kadro::testing::coloursOf(*window.grid), start);
    EXPECT_EQ(says(Qt::Key_Left, Qt::ControlModifier), "The model touches the left side; nothing moved.");
    EXPECT_EQ(kadro::testing::coloursOf(*window.grid), start);
    EXPECT_EQ(says(Qt::Key_Right, Qt::ControlModifier), "Shifted one cell right.");
    EXPECT_EQ(window.grid->at(1, 0, 1).colour, 5.0f);
    EXPECT_EQ(form.history().undoSteps(), steps + 3);  // the refusal is no step
    EXPECT_EQ(says(Qt::Key_Z, Qt::ControlModifier), "Undone: shift. 2 cubes visible");
    EXPECT_EQ(kadro::testing::coloursOf(*window.grid), start);

    EXPECT_EQ(says(Qt::Key_D, Qt::ControlModifier), "Layer 2 of 10. Copied layer 1 onto layer 2.");
    EXPECT_EQ(window.state.currentLayer, 2);
    EXPECT_EQ(window.grid->at(0, 0, 2).colour, 5.0f);
    EXPECT_EQ(window.grid->at(2, 3, 2).colour, 0.0f);  // the layer's empty cells too
    EXPECT_EQ(says(Qt::Key_Z, Qt::ControlModifier), "Undone: layer copy. 1 cube visible");
    EXPECT_EQ(window.state.currentLayer, 2);  // the view stays
    EXPECT_EQ(kadro::testing::coloursOf(*window.grid), start);
    says(Qt::Key_PageDown);
    EXPECT_EQ(says(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier), "Layer 1 is the first; nothing copied.");

    window.key(Qt::Key_5);
    EXPECT_EQ(says(Qt::Key_3, Qt::ControlModifier), "Placing aqua. 1 red cube is now aqua.");
    EXPECT_EQ(window.grid->at(0, 0, 1).colour, 3.0f);
    EXPECT_EQ(window.state.currentColour, 3);
    const size_t before = form.history().undoSteps();
    EXPECT_EQ(says(Qt::Key_3, Qt::ControlModifier), "Placing aqua");  // the same colour: only the swatch
    EXPECT_EQ(form.history().undoSteps(), before);
    EXPECT_EQ(says(Qt::Key_H), "Flipped: left and right swapped.");
    window.key(Qt::Key_Z, Qt::ControlModifier);
    window.tick();
    window.grid->at(0, 0, 1).colour = 0, window.grid->at(2, 3, 2).colour = 0;  // an empty block: nothing to flip
    form.wake();
    window.tick();
    EXPECT_EQ(says(Qt::Key_H), "Flipped: left and right swapped.");  // said though no frame follows
}

// Ctrl+L outlines the loose cubes over the picture, never in it, and says how many there are,
// again whenever the number changes.
TEST(Keys, CtrlLOutlinesLooseCubesAndSaysHowMany) {
    Window window;
    TForm1& form = *window.form;
    const Speech& speech = *window.additions.speech;
    form.Button2->click();  // CLEAR
    window.grid->at(2, 3, 2).colour = 1;
    form.wake();
    window.tick();
    const std::vector<uint32_t> picture(form.Image1->canvas().target().pixels,
                                        form.Image1->canvas().target().pixels + 761 * 417);
    window.key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(speech.lastSaid(), "1 loose cube");
    ASSERT_EQ(window.additions.looseOutlines->boxes().size(), 1u);
    window.grid->at(2, 2, 2).colour = 1, window.grid->at(2, 1, 2).colour = 1, window.grid->at(2, 0, 2).colour = 1;
    form.wake();
    window.tick();
    EXPECT_EQ(speech.lastSaid(), "No loose cubes");
    EXPECT_TRUE(window.additions.looseOutlines->boxes().empty());
    window.grid->at(2, 1, 2).colour = 0;
    form.wake();
    window.tick();
    EXPECT_EQ(speech.lastSaid(), "2 loose cubes");
    EXPECT_EQ(window.additions.looseOutlines->boxes().size(), 2u);
    window.key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(window.additions.looseOutlines->shown());
    form.wake();
    window.tick();
    window.grid->at(2, 1, 2).colour = 1;  // as before the outlines: the canvas holds no outline
    window.grid->at(2, 2, 2).colour = 0, window.grid->at(2, 0, 2).colour = 0;
    form.wake();
    window.tick();
    window.grid->at(2, 1, 2).colour = 0;
    form.wake();
    window.tick();
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), form.Image1->canvas().target().pixels));
}

// A loose cube the picture does not show gets no outline (one there would mark the cube in
// front of it); the sentence says it is out of view, until the layers in front are cut away.
TEST(Keys, CtrlLOutlinesOnlyTheLooseCubesThePictureShows) {
    Window window;
    TForm1& form = *window.form;
    const Speech& speech = *window.additions.speech;
    form.Button2->click();  // CLEAR
    for (int c = 0; c < 10; ++c)
        for (int r = 0; r < 10; ++r) window.grid->at(c, r, 1).colour = 1;
    window.grid->at(5, 6, 3).colour = 5;
    form.wake();
    window.tick();
    window.key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(speech.lastSaid(),
              "1 loose cube; 1 loose cube not in view: turn or cut away to see it");
    EXPECT_TRUE(window.additions.looseOutlines->boxes().empty());
    form.UpDown1->click(UpDownButton::Up);  // layer 2: the full layer cut away
    window.tick();
    EXPECT_EQ(speech.lastSaid(), "1 loose cube");
    const CubeBox box = cubeBox(window.grid->at(5, 6, 3), window.state.cellSize);
    EXPECT_EQ(window.additions.looseOutlines->boxes(),
              std::vector<QRect>{
                  QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1))});
}
