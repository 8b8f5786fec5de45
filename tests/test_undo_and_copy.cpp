// The keys the main window adds: undo and redo of edits, and copying the parts list and the
// picture. The clipboard is the application's own on the offscreen platform.
#include <QClipboard>
#include <QMimeData>

#include "form_fixture.h"
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
    EXPECT_TRUE(data->html().contains("<td>lime</td><td>180</td><td>200</td>"));
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
