#include <QElapsedTimer>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "form_fixture.h"
#include "message_box.h"
#include "model/palette.h"
#include "render/canvas.h"
#include "ui/platform/application.h"
#include "ui/form/placement.h"

using namespace kadro;

TEST_F(MainWindowTest, CreationPlacesSizesAndLaysOutTheWindow) {
    const QSize screen = form->screen()->geometry().size();
    const WindowPosition start = startPosition(screen.width(), screen.height());
    EXPECT_EQ(form->pos(), QPoint(start.left, start.top));
    EXPECT_EQ(form->size(), QSize(550, 580));
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form->windowTitle(), "KADRO");
    EXPECT_EQ(form->Label7->text(), "1");
    EXPECT_EQ(form->Label10->text(), "10");
    EXPECT_EQ(form->ScrollBar2->value(), kZoomPositionAfterReset);
    EXPECT_EQ(state.cellSize, 26.0f);
    EXPECT_EQ(state.introCounter, 1);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_TRUE(form->Timer2->isActive());
    EXPECT_EQ(form->Timer1->interval(), 10);
    // The drawing area reaches past the window's right edge, and was cleared to black.
    EXPECT_EQ(form->Image1->geometry(), QRect(8, 88, 761, 417));
    EXPECT_EQ(form->Image1->canvas().target().at(554, 416), colours::black);
}

// Run with two screens by CTest (offscreen platform, tests/two_screens.json): the window opens
// on the screen it belongs to, placed from that screen's own origin and kept on it.
TEST(MainWindowScreens, OpensOnItsOwnScreenFromThatScreensOrigin) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2) GTEST_SKIP() << "one screen only; CTest runs this with two";
    ViewState state;
    auto grid = std::make_unique<CellGrid>();
    TForm1 first(state, *grid);
    first.setScreen(screens[0]);
    first.FormCreate(&first);
    EXPECT_EQ(first.pos(), QPoint(205, 106));
    TForm1 second(state, *grid);
    second.setScreen(screens[1]);
    second.FormCreate(&second);
    EXPECT_EQ(second.pos(), QPoint(1024 + 13, 0));  // 640 x 480: the top of the window shows
}

TEST_F(MainWindowTest, LayoutHasEveryControlInItsPlace) {
    EXPECT_EQ(form->Shape3->geometry(), QRect(56, 512, 25, 25));
    EXPECT_EQ(form->Shape3->brushColour(), QColor(0, 255, 255));
    EXPECT_EQ(form->Button4->geometry(), QRect(312, 512, 121, 25));
    EXPECT_EQ(form->Button4->text(), "ERASE IS OFF");
    EXPECT_EQ(form->Button3->text(), "HIDE GRID");
    EXPECT_EQ(form->Button5->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(form->Image1->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(form->ScrollBar4->minimum(), 2);
    EXPECT_EQ(form->ScrollBar4->maximum(), 20);
    EXPECT_EQ(form->UpDown1->position(), 1);
    EXPECT_EQ(form->UpDown1->maximum(), 20);
    EXPECT_EQ(form->Label5->font().pixelSize(), 16);
    EXPECT_EQ(form->Button2->font().pixelSize(), 11);
    EXPECT_EQ(form->Label14->text(), " X ");
    for (QWidget* hidden : std::initializer_list<QWidget*>{form->ScrollBar1, form->ScrollBar2, form->Button1,
                                                         form->Button8, form->Button10, form->Label11,
                                                         form->Label3, form->Edit1}) {
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    }
}

// The layout spells the swatch colours out; they are the palette's, which the cubes are drawn in.
TEST_F(MainWindowTest, EverySwatchShowsItsColourOfThePalette) {
    for (const PaletteEntry& entry : kPalette) {
        EXPECT_EQ(form->swatch(entry.code)->brushColour(), QColor::fromRgb(entry.rgb)) << entry.name;
        EXPECT_EQ(colourOfCode(static_cast<int>(entry.code)), QColor::fromRgb(entry.rgb).rgba()) << entry.name;
    }
}

TEST_F(MainWindowTest, CountLabelsSizeToTheirText) {
    form->Label1->setCaption("1000");
    const int wide = form->Label1->width();
    form->Label1->setCaption("1");
    EXPECT_LT(form->Label1->width(), wide);
    EXPECT_EQ(form->Label1->pos(), QPoint(8, 536));
}

TEST_F(MainWindowTest, GridAndEraseTogglesKeepCaptionsWithTheirFlags) {
    form->Button3->click();
    EXPECT_FALSE(state.gridVisible);
    EXPECT_EQ(form->Button3->text(), "SHOW GRID");
    form->Button3->click();
    EXPECT_TRUE(state.gridVisible);
    EXPECT_EQ(form->Button3->text(), "HIDE GRID");

    form->Button4->click();
    EXPECT_TRUE(state.eraseMode);
    EXPECT_EQ(form->Button4->text(), "ERASE IS ON");
    form->Button4->click();
    EXPECT_FALSE(state.eraseMode);
    EXPECT_EQ(form->Button4->text(), "ERASE IS OFF");
}

TEST_F(MainWindowTest, AnySwatchPressChoosesItsColourAndEndsErasing) {
    form->Button4->click();
    QTest::mousePress(form->Shape3, Qt::RightButton);
    EXPECT_EQ(state.currentColour, 3);
    EXPECT_FALSE(state.eraseMode);
    EXPECT_EQ(form->Button4->text(), "ERASE IS OFF");
    QTest::mousePress(form->Shape5, Qt::MiddleButton);
    EXPECT_EQ(state.currentColour, 5);
    QTest::mousePress(form->Shape1, Qt::LeftButton);
    EXPECT_EQ(state.currentColour, 1);
    EXPECT_EQ(form->Button4->text(), "ERASE IS OFF");
}

TEST_F(MainWindowTest, LoadAndSaveChangeNothing) {
    const ViewState before = state;
    form->Button5->click();
    form->Button6->click();
    EXPECT_EQ(std::memcmp(&before, &state, sizeof state), 0);
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindowWithThePointer) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QPoint start = form->pos();
    QTest::mousePress(form.get(), Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseMove(form.get(), QPoint(101, 40));
    EXPECT_EQ(form->pos(), start + QPoint(101, 40));
    // The pointer now sits on the window's corner; a further step moves the window by it.
    QTest::mouseMove(form.get(), QPoint(3, -2));
    EXPECT_EQ(form->pos(), start + QPoint(104, 38));
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, QPoint(3, -2));
    QTest::mouseMove(form.get(), QPoint(50, 50));
    EXPECT_EQ(form->pos(), start + QPoint(104, 38));
}

TEST_F(MainWindowTest, OnlyTheLeftButtonDrags) {
    const QPoint start = form->pos();
    form->FormMouseMove(form.get(), Qt::RightButton, 30, 30);
    form->FormMouseMove(form.get(), Qt::NoButton, 30, 30);
    EXPECT_EQ(form->pos(), start);
    form->FormMouseMove(form.get(), Qt::LeftButton | Qt::RightButton, 30, -5);
    EXPECT_EQ(form->pos(), start + QPoint(30, -5));
}

TEST_F(MainWindowTest, PressesOnControlsAndBlankImagesDoNotDrag) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QPoint start = form->pos();
    for (QWidget* control : std::initializer_list<QWidget*>{form->Image4, form->Image3, form->Label5}) {
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(control, QPoint(20, 10));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(20, 10));
        EXPECT_EQ(form->pos(), start) << control->objectName().toStdString();
    }
}

namespace {
// A control whose handler fails, as a toolkit operation inside a handler might.
class Failing : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("handler failed");
        return QObject::event(e);
    }
};
}  // namespace

// main() used to return 0 after a failure at start-up.
TEST(StartUp, AFailureIsShownAndEndsWithANonZeroStatus) {
    int status = -1;
    const QString shown = messageShownBy([&] { status = runGuarded([]() -> int { throw std::runtime_error("no memory"); }); });
    EXPECT_EQ(shown, "no memory");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(runGuarded([] { return 0; }), 0);
}

TEST_F(MainWindowTest, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    Failing failing;
    const QString shown = messageShownBy([&] { QCoreApplication::postEvent(&failing, new QEvent(QEvent::User)); });
    EXPECT_EQ(shown, "handler failed");
    bool ranAfterwards = false;
    QTimer::singleShot(0, [&] { ranAfterwards = true; });
    QTest::qWait(20);
    EXPECT_TRUE(ranAfterwards);
}
