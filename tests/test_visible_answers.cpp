// What a user sees besides the picture: the layer keys that bank no press, count labels of four
// digits, a refusal's sentence over the drawing area, and the mirror's marker.
#include <QAccessible>
#include <QScrollBar>
#include <QToolButton>

#include "form_fixture.h"
#include "model/palette.h"
#include "ui/additions/count_labels.h"
#include "ui/additions/notice.h"
#include "ui/additions/reach/speech.h"
#include "ui/additions/tools/tools.h"

using namespace kadro;

namespace {

std::vector<Pixel> canvasPixels(const TForm1& form) {
    const PixelBuffer target = form.Image1->canvas().target();
    return {target.pixels, target.pixels + target.stride * target.height};
}

// Counts the presses a widget receives.
struct PressCount : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        presses += event->type() == QEvent::MouseButtonPress;
        return false;
    }
    int presses = 0;
};

}  // namespace

TEST(VisibleAnswers, PageKeysMoveOneLayerAndTheArrowsStillBank) {
    ActiveWindow w;
    w.form->ScrollBar4->setValue(7);
    w.tick();
    for (int i = 0; i < 24; ++i) w.key(Qt::Key_PageUp);
    w.tick();
    w.key(Qt::Key_PageUp);
    EXPECT_EQ(w.state.currentLayer, 7);
    EXPECT_EQ(w.additions.speech->lastSaid(), "Back layer");
    w.key(Qt::Key_PageDown);
    EXPECT_EQ(w.state.currentLayer, 6);
    w.form->UpDown1->upArrow()->click();  // the arrows go on from the layer the key chose
    EXPECT_EQ(w.state.currentLayer, 7);
    for (int i = 0; i < 5; ++i) w.form->UpDown1->upArrow()->click();  // banked, as designed
    w.form->UpDown1->downArrow()->click();
    EXPECT_EQ(w.state.currentLayer, 7);
}

TEST(VisibleAnswers, FourDigitCountsShowEveryDigitUncovered) {
    ActiveWindow w;
    TLabel* lime = w.form->countLabel(ColourCode::Lime);
    TLabel* aqua = w.form->countLabel(ColourCode::Aqua);
    w.form->ScrollBar4->setValue(20);
    auto countsOf = [&](int limeCount) {
        for (auto& plane : w.grid->cells)
            for (auto& line : plane)
                for (auto& cell : line) cell.colour = 0.0f;
        for (int i = 0; i < limeCount; ++i) w.grid->at(i % 20, i / 20 % 20, 1 + i / 400).colour = 2;
        w.form->wake();
        w.tick();
        return lime->grab().toImage();
    };
    const QImage designed = countsOf(999);
    const QFont font = lime->font();
    EXPECT_EQ(lime->text(), "999");
    countsOf(8000);
    EXPECT_EQ(lime->text(), "8000");
    EXPECT_LE(lime->x() + lime->width(), aqua->x() - 4);  // the painted width ends well before aqua's
    EXPECT_EQ(lime->width(), CountLabels::kWidest);
    const QImage squeezed = lime->grab().toImage();
    int inked = 0;  // dark pixels of the digits, in the label's last column but one
    for (int y = 0; y < squeezed.height(); ++y) inked += qGray(squeezed.pixel(squeezed.width() - 2, y)) < 128;
    EXPECT_GT(inked, 0);  // the last digit is drawn inside the label, not cut off
    EXPECT_EQ(countsOf(999), designed);  // back as designed, pixel for pixel
    EXPECT_EQ(lime->font(), font);
}

TEST(VisibleAnswers, ARefusalShowsItsSentenceOverThePictureForAWhile) {
    ActiveWindow w;
    w.form->Button2->click();  // CLEAR
    w.grid->at(0, 0, 1).colour = 5;  // against the left side
    w.form->wake();
    w.tick();
    const std::vector<Pixel> picture = canvasPixels(*w.form);
    Notice& notice = *w.additions.notice;
    w.key(Qt::Key_Left, Qt::ControlModifier);
    w.tick();
    EXPECT_EQ(notice.sentence(), "The model touches the left side; nothing moved.");
    // No second object for a screen reader, which hears the sentence as it did.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.form->Image1)->childCount(), 0);
    EXPECT_EQ(w.additions.speech->lastSaid(), "The model touches the left side; nothing moved.");
    EXPECT_EQ(canvasPixels(*w.form), picture);  // over the picture, never in it
    const QPoint at = notice.geometry().center();
    const int stride = w.form->Image1->canvas().target().stride;
    EXPECT_NE(w.form->Image1->grab().toImage().pixel(at) & 0xFFFFFF, picture[at.y() * stride + at.x()] & 0xFFFFFF);
    // A press where the sentence stands reaches the drawing area.
    PressCount count;
    w.form->Image1->installEventFilter(&count);
    QTest::mouseClick(w.form->windowHandle(), Qt::LeftButton, {}, w.form->Image1->mapTo(w.form.get(), at));
    EXPECT_EQ(count.presses, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice.sentence().isEmpty(); }, Notice::kShownMilliseconds + 2000));
}

TEST(VisibleAnswers, TheMirrorIsPlainToSee) {
    ActiveWindow w;
    w.key(Qt::Key_M);
    w.tick();
    const QRect marker = w.additions.tools->marker();
    ASSERT_FALSE(marker.isEmpty());
    EXPECT_GE(marker.width(), 3);
    const QColor seen = w.form->Image1->grab().toImage().pixelColor(marker.center());
    EXPECT_NE(seen, QColor(Qt::white));
    EXPECT_NE(seen, QColor(Qt::black));
    for (const PaletteEntry& entry : kPalette) EXPECT_NE(seen.rgb() & 0xFFFFFF, entry.rgb);
    EXPECT_NE(w.form->Image1->cursor().shape(), Qt::CrossCursor);  // the place tool's pointer with the mirror sign
}
