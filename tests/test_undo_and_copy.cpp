// The keys the main window adds: undo and redo of edits, and copying the parts list and the
// picture. The clipboard is the application's own on the offscreen platform.
#include <QClipboard>
#include <QMimeData>

#include "form_fixture.h"
#include "message_box.h"
#include "model/design_text.h"
#include "model/palette.h"
#include "ui/additions/clipboard.h"
#include "scenes.h"
#include "model/animation.h"
#include "model/parts_list.h"

using namespace kadro;

namespace {

class KeysTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->Timer1->blockSignals(true);
        form->Timer2->blockSignals(true);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    // The intro and the 13 stripe frames through the handlers; returns the final pattern.
    std::vector<float> playAnimation() {
        while (form->Timer2->isActive()) form->Timer2Timer(form->Timer2);
        while (!animationFinished(state)) tick();
        return colours();
    }
    void tick() { form->Timer1Timer(form->Timer1); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers) { QTest::keyClick(form.get(), key, modifiers); }
    std::vector<float> colours() const { return kadro::testing::coloursOf(*grid); }
};

}  // namespace

TEST_F(KeysTest, UndoAndRedoKeysTakeBackAndRedoClearFillAndPresses) {
    const std::vector<float> pattern = playAnimation();
    form->Button2->click();  // CLEAR
    form->Image1MouseDown(form->Image1, {50, 380});
    const std::vector<float> edited = colours();
    tick();
    EXPECT_EQ(form->Label1->text(), "1");
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(colours(), pattern);
    tick();  // shown and counted at the next tick, as any edit
    EXPECT_EQ(form->Label1->text(), "200");
    key(Qt::Key_Z, Qt::ControlModifier);  // nothing before the animation's pattern
    EXPECT_EQ(colours(), pattern);
    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(colours(), edited);
    // The view is untouched by all of it.
    EXPECT_EQ(state.currentLayer, 1);
    EXPECT_EQ(state.currentColour, 1);
    EXPECT_EQ(form->history().undoSteps(), 2u);
}

TEST_F(KeysTest, EditsWhileTheAnimationRunsAreNotRecorded) {
    form->Button7->click();  // FILL during the intro
    form->Image1MouseDown(form->Image1, {50, 380});
    EXPECT_EQ(form->history().undoSteps(), 0u);
    const std::vector<float> pattern = playAnimation();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(colours(), pattern);
}

TEST_F(KeysTest, CopyPutsThePartsListAsTextAndHtmlOnTheClipboard) {
    playAnimation();
    form->UpDown1->click(UpDownButton::Up);  // layer 2: the visible block is shorter than the whole
    tick();
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    const QStringList lines = data->text().split('\n');
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], "KADRO parts list, size 10 x 10 x 10, layers 2 to 10 visible");
    const char* names[] = {"yellow", "lime", "aqua", "fuchsia", "red"};
    for (int code = 1; code <= kColourCount; ++code) {
        EXPECT_EQ(lines[code + 1], QString("%1\t%2\t200").arg(names[code - 1], form->countLabel(ColourCode(code))->text()));
    }
    EXPECT_EQ(lines[7], "total\t900\t1000");
    EXPECT_TRUE(data->html().contains("<td>lime</td><td align=\"right\" style=\"text-align:right\">180</td><td align=\"right\" style=\"text-align:right\">200</td>"));
}

TEST_F(KeysTest, CopyPictureGivesTheCanvasPixelsExactly) {
    playAnimation();
    tick();
    key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QImage image = QGuiApplication::clipboard()->image();
    const PixelBuffer& buffer = form->Image1->canvas().target();
    ASSERT_EQ(image.size(), QSize(buffer.width, buffer.height));
    int differing = 0;
    for (int y = 0; y < buffer.height; ++y)
        for (int x = 0; x < buffer.width; ++x) differing += (image.pixel(x, y) | 0xFF000000u) != buffer.at(x, y);
    EXPECT_EQ(differing, 0);
}

namespace {

void offerText(const QString& text, const char* type = nullptr) {
    auto* data = new QMimeData;
    if (type) {
        data->setData(type, text.toUtf8());
    } else {
        data->setText(text);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace

TEST_F(KeysTest, CopyOffersThePartsListWithTheDesignAsTextHtmlAndTheDesignType) {
    playAnimation();
    form->UpDown1->click(UpDownButton::Up);
    tick();
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    const std::string design = designText(state, *grid);
    EXPECT_EQ(data->data(kDesignMimeType).toStdString(), design);
    EXPECT_EQ(data->text().toStdString(), partsListText(partsList(state, *grid)) + "\n" + design);
    const std::string html = data->html().toStdString();
    EXPECT_NE(html.find("<tr><th colspan=\"3\">KADRO parts list, size 10 x 10 x 10, layers 2 to 10 visible</th></tr>"),
              std::string::npos);
    // Below the table, the build sheet of the whole block, cut away or not, with its pictures:
    // the animation's stripes fill every row, so ten courses, each with one, and the model's.
    size_t pictures = 0;
    for (size_t at = html.find("src=\"data:image/png;base64,"); at != std::string::npos;
         at = html.find("src=\"data:image/png;base64,", at + 1))
        ++pictures;
    EXPECT_EQ(pictures, 11u);
    EXPECT_NE(html.find("Course 10 of 10 (row 10)"), std::string::npos);
    EXPECT_EQ(html.find("Course 11"), std::string::npos);
}

// A design pasted back: the size as if the user moved the bar, then the block's colours as one
// step; cells beyond the block keep theirs.
TEST_F(KeysTest, PasteBringsBackADesignAsOneUndoStep) {
    playAnimation();
    form->ScrollBar4->setValue(5);
    form->Button7->click();  // a yellow 5-block
    const std::string five = designText(state, *grid);
    form->ScrollBar4->setValue(10);
    form->UpDown1->click(UpDownButton::Up);
    form->UpDown1->click(UpDownButton::Up);
    form->Button2->click();  // CLEAR from layer 3
    tick();
    const std::vector<float> before = colours();
    const size_t steps = form->history().undoSteps();
    offerText("Dear Ann, the order:\n" + QString::fromStdString(five) + "\nSee you!");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->ScrollBar4->value(), 5);
    EXPECT_EQ(state.gridDepth, 5.0f);
    EXPECT_EQ(state.currentLayer, 1);  // the size changed: back to layer 1
    EXPECT_EQ(designText(state, *grid), five);
    EXPECT_EQ(grid->at(7, 7, 7).colour, before[(7 * 21 + 7) * 21 + 7]);  // beyond the block
    EXPECT_EQ(form->history().undoSteps(), steps + 1);
    const std::vector<float> pasted = colours();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(colours(), before);
    EXPECT_EQ(form->ScrollBar4->value(), 5);  // undo changes colours only
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(colours(), pasted);
    // At the design's size the bar does not move and the layer stays; Shift+Insert pastes too.
    form->Button2->click();
    form->UpDown1->click(UpDownButton::Up);
    const int layer = state.currentLayer;
    ASSERT_GT(layer, 1);
    offerText(QString::fromStdString(five), kDesignMimeType);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(state.currentLayer, layer);
    EXPECT_EQ(designText(state, *grid), five);
    tick();
    EXPECT_EQ(form->Label1->text(), QString::number(25 * (5 - layer + 1)));  // the layers from it visible
}

TEST_F(KeysTest, APasteThatIsNoDesignChangesNothingAndSaysWhy) {
    const std::vector<float> pattern = playAnimation();
    form->UpDown1->click(UpDownButton::Up);
    const struct {
        QString text;
        const char* type;
        QString message;
    } cases[] = {
        {"KADRO design\nsize 25\n", nullptr, "Line 2: the size is 2 to 20, not 25."},
        {"Hello", nullptr, "The clipboard holds no KADRO design."},
        {"KADRO design\nsize 2\nlayer 1\n..\n..\n", kDesignMimeType, "Layer 2 is missing."},
        {"", nullptr, "The clipboard holds no KADRO design."},
    };
    for (const auto& c : cases) {
        QApplication::setActiveWindow(form.get());  // the message box took the focus
        offerText(c.text, c.type);
        EXPECT_EQ(messageShownBy([&] { key(Qt::Key_V, Qt::ControlModifier); }), c.message);
        EXPECT_EQ(colours(), pattern);
        EXPECT_EQ(form->ScrollBar4->value(), 10);
        EXPECT_EQ(state.currentLayer, 2);
        EXPECT_EQ(form->history().undoSteps() + form->history().redoSteps(), 0u);
    }
}

// History starts with the animation's last pattern, which would overwrite a paste anyway.
TEST_F(KeysTest, PasteDoesNothingWhileTheAnimationRuns) {
    offerText("KADRO design\nsize 2\nlayer 1\nRR\nRR\nlayer 2\nRR\nRR\n");
    const std::vector<float> before = colours();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(colours(), before);
    EXPECT_EQ(form->ScrollBar4->value(), 10);
}
